#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include <engine/Dsp.h>
#include <engine/SynthesisGenerator.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

struct HeldCase {
    const char* name;
    float level;
    float direction;
    int frames;
    float mix;
};

// A sample-only generator: the given sample level, direction and mix, and a
// rising ramp of the given length as its sample.
std::unique_ptr<SynthesisGenerator> sampleOnly(const float* smoothing, const HeldCase& c) {
    auto generator = std::make_unique<SynthesisGenerator>(smoothing, 44100.0f);
    const std::pair<int, float> values[] = {
        {GenSynthesisType, 3.0f}, {GenMixSynthesisWav, c.mix}, {GenWavLevel, c.level}, {GenWavDirection, c.direction}};
    for (const auto& [index, value] : values)
        for (int slot : {0, 2, 3}) // base, target and smoothed: no glide
            generator->setValue(index, value, slot);
    std::unique_ptr<float[]> data(new float[static_cast<size_t>(c.frames + SampleModule::kTail)]());
    for (int k = 0; k < c.frames; ++k)
        data[static_cast<size_t>(k)] = 0.5f + 0.001f * static_cast<float>(k);
    generator->sample().swapSample(data, c.frames);
    generator->smoothParameters();
    return generator;
}

// Samples [0, total) in blocks of blockSize, with a hit at each of hits.
std::vector<float> renderHits(SynthesisGenerator& generator, int total, int blockSize, std::vector<int> hits) {
    const TruncationScope truncating;
    std::vector<float> out(static_cast<size_t>(total));
    float envelope[64];
    uint8_t triggers[64];
    for (float& e : envelope)
        e = 1.0f;
    for (int start = 0; start < total; start += blockSize) {
        const int n = std::min(blockSize, total - start);
        for (int i = 0; i < n; ++i) {
            triggers[i] = 0;
            for (int hit : hits)
                triggers[i] = triggers[i] || hit == start + i;
        }
        for (int hit : hits)
            if (hit >= start && hit < start + n)
                generator.startNote(1.0f);
        generator.smoothParameters();
        HeldMix held;
        if (generator.renderOrHold(envelope, triggers, out.data() + start, n, held))
            held.fill(out.data() + start, n);
    }
    return out;
}

} // namespace

// Once the sample has ended (or its level gates it off, or there is none), the
// mix is the held value weighted plus the anti-denormal constant, whose sign
// keeps alternating by the sample's index across blocks of any length; a new
// hit plays again.
TEST(SynthesisGenerator, AnEndedOrGatedSampleMixesToTheAlternatingConstant) {
    const HeldCase cases[] = {{"gated", 0.0005f, 0.0f, 100, 1.0f},
                              {"forward", 1.0f, 0.0f, 100, 1.0f},
                              {"reverse", 0.8f, 1.0f, 100, 0.7f},
                              {"no sample", 1.0f, 0.0f, 0, 1.0f}};
    float smoothing[kParameterCount] = {};
    for (const HeldCase& c : cases) {
        for (int blockSize : {64, 23, 7, 1}) {
            SCOPED_TRACE(testing::Message() << c.name << ", blocks of " << blockSize);
            auto generator = sampleOnly(smoothing, c);
            const std::vector<float> out = renderHits(*generator, 1200, blockSize, {0, 900});
            const bool sounds = c.level > 0.001f && c.frames > 0;
            const float held = c.level > 0.001f ? dsp::kAntiDenormal : 0.0f;
            const TruncationScope truncating; // as the generator computes the weight and the sum
            const volatile float mix = c.mix;
            const float weighted = held * (mix * mix);
            for (int i = 300; i < 900; ++i) {
                const float d = (i & 1) ? -dsp::kAntiDenormal : dsp::kAntiDenormal;
                ASSERT_EQ(out[static_cast<size_t>(i)], weighted + d) << "sample " << i;
            }
            float loudest = 0.0f;
            for (int i = 900; i < 960; ++i)
                loudest = std::fmax(loudest, std::fabs(out[static_cast<size_t>(i)]));
            EXPECT_EQ(loudest > 0.1f, sounds) << "the second hit";
        }
    }
}
