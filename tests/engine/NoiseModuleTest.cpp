#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <engine/NoiseGenerator.h>
#include <engine/NoiseModule.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

// Renders one hit of blocks x 64 samples with a linearly decaying envelope.
std::vector<float> renderHit(NoiseModule& module, int blocks, float weight = 1.0f) {
    const TruncationScope truncating;
    std::vector<float> out(static_cast<size_t>(blocks) * 64);
    for (int b = 0; b < blocks; ++b) {
        float envelope[64];
        uint8_t triggers[64] = {};
        for (int i = 0; i < 64; ++i)
            envelope[i] = std::fmax(0.0f, 1.0f - static_cast<float>(b * 64 + i) / (blocks * 64.0f));
        triggers[0] = b == 0 ? 1 : 0;
        module.smoothParameters();
        module.render(envelope, triggers, weight, &out[static_cast<size_t>(b) * 64], 64);
    }
    return out;
}

struct TestNoise : NoiseModule {
    explicit TestNoise(float level) : NoiseModule("Noise Module 1", GenNoiseFreq1) { configure(*this, level); }
    static void configure(NoiseModule& module, float level);
};

void TestNoise::configure(NoiseModule& module, float level) {
    module.setSampleRate(44100.0f);
    module.setValue(GenNoiseLevel1, level, 0);
    module.setValue(GenNoiseQ1, 0.5f, 0);
    module.reset();
    module.setVelocity(1.0f);
}

} // namespace

TEST(NoiseGenerator, SequenceFollowsTheXorAddRuleAndReseeds) {
    NoiseGenerator noise;
    EXPECT_FLOAT_EQ(noise.next(), static_cast<float>(static_cast<int32_t>(0xEFCDAB89u)) / 2147483648.0f);
    // a ^ b = 0x88888888, b + that wraps to 0x78563411.
    EXPECT_EQ(noise.b(), 0x78563411u);
    EXPECT_EQ(noise.a(), 0x88888888u);
    EXPECT_FLOAT_EQ(noise.next(), 2018915345.0f / 2147483648.0f);
    noise.reseed();
    EXPECT_EQ(noise.a(), NoiseGenerator::kSeedA);
    EXPECT_EQ(noise.b(), NoiseGenerator::kSeedB);
}

TEST(NoiseModule, IdenticalHitsGiveIdenticalSamples) {
    TestNoise module(1.0f);
    module.reseed();
    renderHit(module, 20); // settles the envelope measure that carries from hit to hit
    module.reseed();
    std::vector<float> first = renderHit(module, 20);
    module.reseed();
    std::vector<float> second = renderHit(module, 20);
    EXPECT_EQ(first, second);
    EXPECT_GT(peak(first), 1e-4);
    EXPECT_TRUE(allFinite(first));
}

TEST(NoiseModule, LevelOrWeightGateSilencesWithoutAdvancingTheNoise) {
    TestNoise gated(0.0f);
    std::vector<float> silent = renderHit(gated, 5);
    EXPECT_EQ(peak(silent), 0.0);
    std::vector<float> weightless = renderHit(gated, 3, 0.0005f);
    EXPECT_EQ(peak(weightless), 0.0);
    gated.setValue(GenNoiseLevel1, 1.0f, 0);
    gated.reset();
    std::vector<float> afterGate = renderHit(gated, 10);

    TestNoise fresh(1.0f);
    std::vector<float> direct = renderHit(fresh, 10);
    EXPECT_EQ(afterGate, direct) << "gated blocks must not consume noise or move the envelope measure";
}

TEST(NoiseModule, SweptFrequencyStaysWithinItsBounds) {
    for (float shape : {0.0f, 0.5f, 1.0f}) {
        for (float frequency : {10.0f, 18000.0f}) {
            TestNoise module(1.0f);
            module.setValue(GenNoiseShapePitchEnv1, shape, 0);
            module.setValue(GenNoiseFreq1, frequency, 0);
            module.setValue(GenNoiseQ1, 1.0f, 0);
            module.reset();
            std::vector<float> out = renderHit(module, 40);
            EXPECT_TRUE(allFinite(out)) << shape << " " << frequency;
            EXPECT_LT(peak(out), 50.0) << shape << " " << frequency;
        }
    }
}

// The pair's vector lanes give each part the bits of its own render: different
// settings and velocities, hits within blocks, a part that falls silent and
// returns, a restart of one part only, and a short block.
TEST(NoiseModule, APairRendersWhatEachPartRendersAlone) {
    const TruncationScope truncating;
    auto make = [](int first, float frequency, float q, float velocity) {
        auto module = std::make_unique<NoiseModule>("Noise", first);
        module->setSampleRate(48000.0f);
        module->setValue(first, frequency, 0);
        module->setValue(first + 1, q, 0);
        module->setValue(first + 3, 0.7f, 0); // the sweep follows the envelope
        module->reset();
        module->setVelocity(velocity);
        return module;
    };
    auto pairA = make(GenNoiseFreq1, 900.0f, 0.3f, 0.8f), pairB = make(GenNoiseFreq2, 4000.0f, 0.9f, 0.5f);
    auto aloneA = make(GenNoiseFreq1, 900.0f, 0.3f, 0.8f), aloneB = make(GenNoiseFreq2, 4000.0f, 0.9f, 0.5f);
    for (int b = 0; b < 24; ++b) {
        const int n = b == 13 ? 37 : 64;
        float envelope[64];
        uint8_t triggers[64] = {};
        for (int i = 0; i < n; ++i)
            envelope[i] = std::fmax(0.0f, 1.0f - static_cast<float>((b % 8) * 64 + i) / 512.0f);
        triggers[0] = b % 8 == 0 ? 1 : 0;
        triggers[29] = b == 5 ? 1 : 0;
        const float levelB = b >= 10 && b < 12 ? 0.0f : 1.0f;
        if (b == 17) {
            pairB->restart();
            aloneB->restart();
        }
        for (NoiseModule* m : {pairA.get(), pairB.get(), aloneA.get(), aloneB.get()}) {
            if (m == pairB.get() || m == aloneB.get())
                m->setValue(GenNoiseLevel2, levelB, 0);
            m->smoothParameters();
        }
        float outA[64], outB[64], expectedA[64], expectedB[64];
        NoiseModule::renderPair(*pairA, *pairB, envelope, triggers, 1.0f, outA, outB, n);
        aloneA->render(envelope, triggers, 1.0f, expectedA, n);
        aloneB->render(envelope, triggers, 1.0f, expectedB, n);
        ASSERT_EQ(std::memcmp(outA, expectedA, sizeof(float) * static_cast<size_t>(n)), 0) << "block " << b;
        ASSERT_EQ(std::memcmp(outB, expectedB, sizeof(float) * static_cast<size_t>(n)), 0) << "block " << b;
    }
}
