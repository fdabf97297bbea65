#include <gtest/gtest.h>

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
    std::vector<float> render(int blocks) {
        TruncatingRounding truncating;
        std::vector<float> out;
        float left[64], right[64];
        for (int b = 0; b < blocks; ++b) {
            voice->renderBlock(64, left, right);
            out.insert(out.end(), left, left + 64);
        }
        return out;
    }
    float smoothing[kParameterCount];
    std::unique_ptr<InstrumentVoice> voice;
};

} // namespace

TEST(InstrumentVoice, TypeSwitchesCreateAndDestroyTheSynthesisModules) {
    VoiceRig rig;
    InstrumentVoice& v = *rig.voice;
    EXPECT_EQ(v.generator().synthesisType(), kNoSynthesis);
    v.setParameter(GenNoiseFreq1, 5000.0f);
    EXPECT_EQ(v.value(GenNoiseFreq1), 0.0f) << "a value for a module that does not exist is dropped";
    v.setParameter(GenSynthesisType, 0.0f);
    EXPECT_EQ(v.value(GenNoiseFreq1), 1000.0f) << "fresh noise parts start with their defaults";
    v.setParameter(GenNoiseFreq1, 5000.0f);
    v.setParameter(GenSynthesisType, 0.4f);
    EXPECT_EQ(v.value(GenNoiseFreq1), 5000.0f) << "the current type keeps its modules";
    v.setParameter(GenSynthesisType, 3.0f);
    EXPECT_EQ(v.value(GenNoiseFreq1), 0.0f);
    v.setParameter(GenSynthesisType, 0.0f);
    EXPECT_EQ(v.value(GenNoiseFreq1), 1000.0f);
    v.setParameter(GenSynthesisType, 1.0f);
    EXPECT_EQ(v.value(GenFMRingTune1), 36.0f);
    EXPECT_EQ(v.value(GenNoiseLevel2), 0.0f);
    v.setParameter(GenSynthesisType, 2.0f);
    EXPECT_EQ(v.value(GenPMSize), 0.5f);
    EXPECT_EQ(v.value(GenFMRingTune1), 0.0f);
    EXPECT_EQ(v.moduleValue(GenSynthesisType, 0), 2.0f);
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
