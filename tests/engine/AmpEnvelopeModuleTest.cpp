#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include <engine/AmpEnvelopeModule.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

struct Rendered {
    std::vector<float> out;
    std::vector<uint8_t> triggers;
    std::vector<int> stages;
};

void render(AmpEnvelopeModule& env, int blocks, Rendered& r) {
    const TruncationScope truncating;
    for (int b = 0; b < blocks; ++b) {
        float out[64];
        uint8_t triggers[64];
        env.smoothParameters();
        env.render(out, triggers, 64);
        r.out.insert(r.out.end(), out, out + 64);
        r.triggers.insert(r.triggers.end(), triggers, triggers + 64);
        r.stages.push_back(env.stage());
    }
}

struct TestEnvelope : AmpEnvelopeModule {
    TestEnvelope(float attackMs, float decayMs) {
        setSampleRate(44100.0f);
        setValue(EnvAttack, attackMs, 0);
        setValue(EnvDecay, decayMs, 0);
        reset();
    }
};

} // namespace

TEST(AmpEnvelope, AttackDecayAndHoldInOrder) {
    TestEnvelope env(1.0f, 100.0f);
    EXPECT_EQ(env.stage(), AmpEnvelopeModule::kIdle);
    env.trigger();
    EXPECT_EQ(env.stage(), AmpEnvelopeModule::kAttack);
    Rendered r;
    render(env, 300, r);
    EXPECT_EQ(r.triggers[0], 1) << "the note starts at the first sample";
    for (size_t i = 1; i < r.triggers.size(); ++i)
        ASSERT_EQ(r.triggers[i], 0);
    EXPECT_EQ(r.stages.front(), AmpEnvelopeModule::kAttack);
    EXPECT_EQ(r.stages[4], AmpEnvelopeModule::kDecay) << "a 1 ms attack is over within a few blocks";
    EXPECT_GE(r.stages.back(), AmpEnvelopeModule::kDecay) << "the decay approaches the floor from above";
    size_t top = 0;
    for (size_t i = 0; i < r.out.size(); ++i)
        top = r.out[i] > r.out[top] ? i : top;
    EXPECT_GT(r.out[top], 0.98f);
    EXPECT_LT(r.out.back(), 1e-4f) << "decays to the floor";
    EXPECT_NEAR(r.out.back(), std::pow(10.0f, -4.5f), 1e-6f) << "with a linear curve the output is the level";
    EXPECT_EQ(r.out.back(), env.level());
    for (size_t i = top; i + 1 < r.out.size(); ++i)
        ASSERT_LE(r.out[i + 1], r.out[i] + 1e-7f) << "the decay never rises, sample " << i;
}

TEST(AmpEnvelope, RetriggerFadesFirstAndStartsTheNoteAtTheFadesEnd) {
    TestEnvelope env(0.1f, 2000.0f);
    env.trigger();
    Rendered first;
    render(env, 20, first);
    ASSERT_GT(env.lastOutput(), 0.5f);
    env.trigger();
    EXPECT_EQ(env.stage(), AmpEnvelopeModule::kFade);
    Rendered second;
    render(env, 40, second);
    size_t start = 0;
    while (start < second.triggers.size() && !second.triggers[start])
        ++start;
    ASSERT_LT(start, second.triggers.size()) << "the new note starts once the fade is done";
    EXPECT_GT(start, 20u) << "a 100 Hz fade takes a while";
    EXPECT_LT(start, 64u * 30u);
    EXPECT_LE(second.out[start - 1], 0.011f) << "the fade ends at 0.01";
    for (size_t i = 1; i < start; ++i)
        EXPECT_LE(second.out[i], second.out[i - 1] + 1e-7f);
}

// Renders count samples in blocks of the given sizes, over and over.
void renderCut(AmpEnvelopeModule& env, int count, const std::vector<int>& sizes, std::vector<float>& out) {
    const TruncationScope truncating;
    for (size_t k = 0; count > 0; ++k) {
        const int n = std::min(count, sizes[k % sizes.size()]);
        float block[64];
        uint8_t triggers[64];
        env.render(block, triggers, n);
        out.insert(out.end(), block, block + n);
        count -= n;
    }
}

TEST(AmpEnvelope, TheSameCurveWhereverTheBlocksEnd) {
    // Settled parameters: only where the blocks end differs. Attack, decay, the
    // floor, a fade into the next note and its decay.
    std::vector<float> whole, cut;
    for (auto [sizes, out] :
         {std::pair{std::vector<int>{64}, &whole}, std::pair{std::vector<int>{7, 1, 64, 13}, &cut}}) {
        TestEnvelope env(2.0f, 20.0f);
        env.setValue(EnvCurveShape, -40.0f, 0);
        env.reset();
        env.trigger();
        renderCut(env, 30000, sizes, *out);
        ASSERT_EQ(env.stage(), AmpEnvelopeModule::kHold);
        env.trigger();
        renderCut(env, 300, sizes, *out);
        env.trigger();
        ASSERT_EQ(env.stage(), AmpEnvelopeModule::kFade);
        renderCut(env, 3000, sizes, *out);
    }
    ASSERT_EQ(whole.size(), cut.size());
    for (size_t i = 0; i < whole.size(); ++i)
        ASSERT_EQ(whole[i], cut[i]) << "sample " << i;
}

TEST(AmpEnvelope, QuietEnvelopeStartsAtOnce) {
    TestEnvelope env(0.1f, 10.0f);
    env.trigger();
    Rendered r;
    render(env, 200, r);
    EXPECT_FALSE(env.isSounding());
    env.trigger();
    EXPECT_EQ(env.stage(), AmpEnvelopeModule::kAttack) << "below 0.01 a new hit needs no fade";
}

TEST(AmpEnvelope, CurveShapesAndVelocityCurve) {
    TestEnvelope linear(1.0f, 100.0f);
    TestEnvelope exponential(1.0f, 100.0f);
    exponential.setValue(EnvCurveShape, -100.0f, 0);
    exponential.reset();
    linear.trigger();
    exponential.trigger();
    Rendered a, b;
    render(linear, 40, a);
    render(exponential, 40, b);
    EXPECT_LT(b.out[64 * 20], a.out[64 * 20]) << "a negative curve bends below the linear one";

    TestEnvelope velocity(1.0f, 100.0f);
    EXPECT_FLOAT_EQ(velocity.shapeVelocity(0.5f), 0.5f) << "shape 0 keeps the velocity";
    velocity.setValue(EnvVelocityShape, 100.0f, 0);
    EXPECT_GT(velocity.shapeVelocity(0.2f), 0.9f) << "a full log curve makes every hit loud";
    velocity.setValue(EnvVelocityShape, -100.0f, 0);
    EXPECT_LT(velocity.shapeVelocity(0.5f), 0.01f);
    EXPECT_NEAR(velocity.shapeVelocity(1.0f), 1.0f, 1e-6f);
}

TEST(AmpEnvelope, AttackModulationRampsDuringTheAttack) {
    TestEnvelope env(1000.0f, 100.0f);
    env.setValue(EnvAMSpeed, 100.0f, 0);
    env.reset();
    env.trigger();
    Rendered r;
    render(env, 200, r);
    int restarts = 0;
    for (size_t i = 2; i < r.out.size(); ++i)
        restarts += r.out[i] > r.out[i - 1] + 0.005f && r.out[i - 1] <= r.out[i - 2] ? 1 : 0;
    EXPECT_GE(restarts, 25) << "a 100 Hz ramp restarts every 441 samples during the long attack";
    EXPECT_LE(restarts, 30);
    EXPECT_TRUE(allFinite(r.out));
}
