#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include <engine/InstrumentVoice.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

struct VoiceRig {
    VoiceRig() {
        for (float& ms : smoothing)
            ms = 10.0f;
        voice = std::make_unique<InstrumentVoice>(smoothing, 44100.0f);
    }
    std::vector<float> render(int blocks, int blockSize = 64) {
        const TruncationScope truncating;
        std::vector<float> out;
        float left[64], right[64];
        for (int b = 0; b < blocks * 64 / blockSize; ++b) {
            voice->renderBlock(blockSize, left, right);
            out.insert(out.end(), left, left + blockSize);
        }
        return out;
    }
    float smoothing[kParameterCount];
    std::unique_ptr<InstrumentVoice> voice;
};

} // namespace

TEST(InstrumentVoice, EveryTypeKeepsItsValuesWhateverTypePlays) {
    VoiceRig rig;
    InstrumentVoice& v = *rig.voice;
    EXPECT_EQ(v.generator().synthesisType(), kNoSynthesis);
    const std::pair<int, float> values[] = {{GenNoiseFreq1, 5000.0f}, {GenFMRingTune1, 48.0f}, {GenPMSize, 0.25f}};
    for (auto [index, value] : values)
        v.setParameter(index, value);
    for (float type : {0.0f, 1.0f, 2.0f, 3.0f, 0.0f}) {
        v.setParameter(GenSynthesisType, type);
        rig.render(1);
        for (auto [index, value] : values)
            EXPECT_EQ(v.value(index), value) << "type " << type << ", parameter " << index;
    }
}

TEST(InstrumentVoice, TheTypeIsTheNearestToBasePlusAutomation) {
    VoiceRig rig;
    InstrumentVoice& v = *rig.voice;
    const struct {
        float base, offset;
        int type;
    } cases[] = {{0.0f, 0.0f, kFilteredNoise},     {0.49f, 0.0f, kFilteredNoise}, {0.5f, 0.0f, kPhaseDistortion},
                 {1.0f, 0.6f, kPhysicalModelling}, {3.0f, -0.4f, kNoSynthesis},   {2.0f, 5.0f, kNoSynthesis},
                 {1.0f, -3.0f, kFilteredNoise}};
    for (const auto& c : cases) {
        v.setModuleValue(GenSynthesisType, c.base, ModuleParameter::kBase);
        v.setModuleValue(GenSynthesisType, c.offset, ModuleParameter::kOffset);
        rig.render(1); // in the truncating mode of block processing
        EXPECT_EQ(v.generator().synthesisType(), c.type) << c.base << " + " << c.offset;
        EXPECT_EQ(v.generator().playingType(), c.type) << c.base << " + " << c.offset;
    }
}

TEST(InstrumentVoice, ResendingTheCurrentTypeKeepsTheSoundGoing) {
    VoiceRig a, b;
    for (VoiceRig* rig : {&a, &b}) {
        rig->voice->setParameter(GenSynthesisType, 0.0f);
        rig->voice->setParameter(FilterType, 1.0f);
        rig->voice->trigger(1.0f);
    }
    std::vector<float> first = a.render(20);
    b.render(20);
    a.voice->setParameter(GenSynthesisType, 0.0f);
    EXPECT_EQ(a.render(20), b.render(20));
    EXPECT_GT(peak(first), 0.01);
}

TEST(InstrumentVoice, IdenticalHitsSoundTheSame) {
    VoiceRig rig;
    rig.voice->setParameter(GenSynthesisType, 0.0f);
    rig.voice->setParameter(EnvDecay, 50.0f);
    rig.voice->trigger(1.0f);
    rig.render(400);
    std::vector<std::vector<float>> hits;
    for (int k = 0; k < 2; ++k) {
        rig.voice->trigger(1.0f);
        hits.push_back(rig.render(400));
    }
    // The sources restart exactly; only the filter keeps a trace of the last tail.
    double worst = 0.0;
    for (size_t i = 0; i < hits[0].size(); ++i)
        worst = std::fmax(worst, std::fabs(hits[0][i] - hits[1][i]));
    EXPECT_LT(worst, 1e-6);
    EXPECT_GT(peak(hits[0]), 0.01);
}

TEST(InstrumentVoice, SampleOnlyMixWithoutSampleIsSilent) {
    VoiceRig rig;
    rig.voice->setParameter(GenSynthesisType, 0.0f);
    rig.voice->setParameter(GenMixSynthesisWav, 1.0f);
    rig.voice->reset();
    rig.voice->trigger(1.0f);
    std::vector<float> out = rig.render(20);
    EXPECT_LT(peak(out), 1e-8) << "only the anti-denormal constant remains";
}

// Short control blocks (a host that cuts its blocks finely) keep the swept
// sources as tame as whole ones: no runaway filters, nothing near full scale.
TEST(InstrumentVoice, ShortBlocksSoundLikeWholeOnes) {
    for (float type : {0.0f, 1.0f, 2.0f}) {
        float peaks[3] = {};
        const int sizes[3] = {64, 7, 1};
        for (int k = 0; k < 3; ++k) {
            VoiceRig rig;
            rig.voice->setParameter(GenSynthesisType, type);
            rig.voice->setParameter(EnvDecay, 300.0f);
            rig.voice->trigger(1.0f);
            peaks[k] = static_cast<float>(peak(rig.render(400, sizes[k])));
        }
        EXPECT_GT(peaks[0], 0.01f) << "type " << type;
        for (int k = 1; k < 3; ++k)
            EXPECT_LT(peaks[k], 1.5f * peaks[0]) << "type " << type << ", blocks of " << sizes[k];
    }
}

// An idle voice's whole held blocks leave their meter values owed, with a
// bound on their measure. Paid at once (as the gate does when the bound is not
// enough) or later, by a short block that keeps some of them, they give the
// measure of a meter written every block. Ended sample and gated sample, at
// odd block lengths (the held values swap places) and whole ones, and while
// the held values move.
TEST(InstrumentVoice, AHeldMixOwesItsMeterValuesAndPaysThemExactly) {
    const int sizes[] = {64, 64, 23, 64, 7, 64, 64, 1, 64, 40, 64};
    for (float level : {1.0f, 0.0f}) {
        SCOPED_TRACE(testing::Message() << "sample level " << level);
        VoiceRig paying, owing;
        for (VoiceRig* rig : {&paying, &owing}) {
            rig->voice->setParameter(GenWavLevel, level);
            rig->voice->setParameter(EnvDecay, 2000.0f);
            rig->voice->trigger(1.0f);
        }
        int block = 0;
        for (int n : sizes) {
            SCOPED_TRACE(testing::Message() << "block " << block << " of " << n);
            if (block++ == 2) // the held values move while some are owed
                for (VoiceRig* rig : {&paying, &owing})
                    rig->voice->setParameter(GenMixSynthesisWav, 0.7f);
            const TruncationScope truncating;
            float out[2][2][64];
            paying.voice->renderBlock(n, out[0][0], out[0][1]);
            owing.voice->renderBlock(n, out[1][0], out[1][1]);
            for (int c = 0; c < 2; ++c)
                EXPECT_EQ(std::memcmp(out[0][c], out[1][c], sizeof(float) * static_cast<size_t>(n)), 0);
            const float exact = paying.voice->exactMeterMagnitude();
            EXPECT_GT(exact, 0.0f);
            EXPECT_EQ(owing.voice->meterIsBound(), n == 64);
            if (owing.voice->meterIsBound()) {
                EXPECT_GE(owing.voice->meterMagnitude(), exact);
                EXPECT_LT(owing.voice->meterMagnitude(), 2.0f * exact);
            } else {
                EXPECT_EQ(owing.voice->meterMagnitude(), exact);
            }
        }
        const TruncationScope truncating;
        EXPECT_EQ(owing.voice->exactMeterMagnitude(), paying.voice->exactMeterMagnitude());
        EXPECT_FALSE(owing.voice->meterIsBound());
    }
}

// What a block works out from the values (type, weights, the sample's gate
// and direction, filter type, curve, gains) is kept while they stay; a value
// written between blocks sounds in the very next block, as it did before.
TEST(InstrumentVoice, AValueWrittenBetweenBlocksSoundsInTheNextOne) {
    const struct {
        int index;
        float value;
    } writes[] = {{OutPan, -1.0f},     {OutLevelDB, -12.0f},    {FilterType, 1.0f},         {EnvCurveShape, 80.0f},
                  {GenWavLevel, 0.0f}, {GenWavDirection, 1.0f}, {GenMixSynthesisWav, 0.9f}, {GenSynthesisType, 1.0f}};
    for (const auto& w : writes) {
        SCOPED_TRACE(testing::Message() << "parameter " << w.index);
        VoiceRig rigs[2];
        for (VoiceRig& rig : rigs) {
            for (int i = 0; i < kParameterCount; ++i)
                rig.voice->setSmoothingTime(i, 0.001f); // values land within a block
            constexpr int kFrames = 40000;
            auto data = std::make_unique<float[]>(kFrames + SampleModule::kTail);
            for (int i = 0; i < kFrames + SampleModule::kTail; ++i)
                data[static_cast<size_t>(i)] = i < kFrames ? 0.5f * std::sin(0.01f * static_cast<float>(i)) : 0.0f;
            rig.voice->generator().sample().swapSample(data, kFrames);
            rig.voice->setParameter(GenSynthesisType, 0.0f);
            rig.voice->setParameter(GenMixSynthesisWav, 0.5f);
            rig.voice->setParameter(EnvDecay, 5000.0f);
            rig.voice->trigger(1.0f);
            rig.render(10);
        }
        rigs[0].voice->setParameter(w.index, w.value);
        EXPECT_NE(rigs[0].render(1), rigs[1].render(1));
    }
}
