#include <gtest/gtest.h>

#include <cmath>

#include "EffectSlotRig.h"
#include <params/EffectNames.h>

using namespace trommik2;
using namespace trommik2::test;

namespace {

constexpr float kRate = 44100.0f;

double delayMs(float x) { return 0.1 + 1999.9 * x / (24.0 - 23.0 * x); }

// A Time value whose synchronised step is k, away from the rounding edges.
float syncX(int k) { return 1.0f - (static_cast<float>(k) + 0.3f) / 12.0f; }

// Largest minus smallest per-block peak over [from, to): how much the level wobbles.
float peakSpread(const std::vector<float>& x, int from, int to) {
    float lo = 1e9f, hi = 0.0f;
    for (int start = from; start + 512 <= to; start += 512) {
        float p = peak(x, start, start + 512);
        lo = std::fmin(lo, p);
        hi = std::fmax(hi, p);
    }
    return hi - lo;
}

} // namespace

TEST(MonoDelay, EchoArrivesAfterTheMappedMilliseconds) {
    for (float x : {0.05f, 0.2f, 0.5f, 0.9f}) {
        EffectSlotRig rig;
        rig.select(kMonoDelayMs, x, 0.0f, 0.0f, 1.0f);
        int expected = static_cast<int>(std::lround(delayMs(x) * kRate / 1000.0));
        Stereo out = rig.run(impulse(expected + 2000));
        EXPECT_FLOAT_EQ(out.left[0], 0.5f) << "dry = 1 - Mix/2";
        EXPECT_EQ(argmax(out.left, 1, expected + 2000), expected) << "Time " << x;
        EXPECT_EQ(argmax(out.right, 1, expected + 2000), expected);
    }
}

TEST(MonoDelay, SynchronisedEchoFollowsTheTempo) {
    struct Case {
        int step;
        float tempo;
        int samples;
    };
    for (Case c : {Case{7, 120.0f, 11025}, Case{7, 90.0f, 14700}, Case{4, 120.0f, 22050}, Case{1, 180.0f, 58800}}) {
        EffectSlotRig rig;
        rig.fx.setTempo(c.tempo);
        rig.select(kMonoDelaySync, syncX(c.step), 0.0f, 0.0f, 1.0f);
        Stereo out = rig.run(impulse(c.samples + 500));
        EXPECT_EQ(argmax(out.left, 1, c.samples + 500), c.samples) << fx::syncStepName(c.step) << " at " << c.tempo;
        EXPECT_NEAR(out.left[c.samples], 0.5f * 2.0f * (1.0f - 0.075f), 0.01f) << "both inputs, light damping";
    }
}

TEST(MonoDelay, TheLongestStepFitsAtTheSlowestTempo) {
    EffectSlotRig rig;
    rig.select(kMonoDelaySync, syncX(0), 0.0f, 0.0f, 1.0f); // "2 Bars": 4 s at 120 bpm
    rig.fx.setTempo(10.0f);                                 // taken as 20 bpm: 24 s
    const int expected = 24 * 44100;
    Stereo out = rig.run(impulse(expected + 200));
    EXPECT_EQ(argmax(out.left, 1, expected + 200), expected);
}

TEST(MonoDelay, FeedbackAndDampingShapeTheRepeats) {
    const int d = 11025;
    auto echoes = [&](float feed, float damp) {
        EffectSlotRig rig;
        rig.select(kMonoDelaySync, syncX(7), feed, damp, 1.0f);
        Stereo out = rig.run(impulse(3 * d + 500));
        return std::pair{peak(out.left, d - 10, d + 400), peak(out.left, 2 * d - 10, 2 * d + 400)};
    };
    auto [first0, second0] = echoes(0.0f, 0.0f);
    EXPECT_LT(second0, 1e-6f) << "no feedback, one echo";
    auto [first, second] = echoes(0.5f, 0.0f);
    EXPECT_NEAR(second / first, 0.5f * 0.925f, 0.02f) << "each pass: Feed times the light damping";
    auto [firstDamped, secondDamped] = echoes(0.5f, 1.0f);
    EXPECT_LT(firstDamped, 0.15f * first) << "1 kHz damping smears the echo";
    EXPECT_LT(secondDamped / firstDamped, second / first);
}

TEST(MonoDelay, BothOutputsCarryTheSameEcho) {
    EffectSlotRig rig;
    rig.select(kMonoDelayMs, 0.3f, 0.6f, 0.4f, 0.7f);
    Stereo in = noise(6000);
    for (float& r : in.right)
        r *= 0.25f;
    Stereo out = rig.run(in);
    const float dry = 1.0f - 0.35f;
    for (int i = 0; i < 6000; i += 7)
        EXPECT_NEAR(out.left[i] - dry * in.left[i], out.right[i] - dry * in.right[i], 1e-5f) << i;
}

TEST(StereoDelay, EachSideHasItsOwnTimeAndFeedHalfHasNoFeedback) {
    EffectSlotRig rig;
    rig.select(kStereoDelayMs, 0.3f, 0.6f, 0.5f, 1.0f);
    int left = static_cast<int>(std::lround(delayMs(0.3f) * kRate / 1000.0));
    int right = static_cast<int>(std::lround(delayMs(0.6f) * kRate / 1000.0));
    Stereo out = rig.run(impulse(3 * right));
    EXPECT_NEAR(argmax(out.left, 1, 3 * right), left, 1);
    EXPECT_NEAR(argmax(out.right, 1, 3 * right), right, 1);
    EXPECT_LT(peak(out.left, left + 50, 3 * right), 0.02f) << "Feed 0.5: a single echo";
    EXPECT_LT(peak(out.right, right + 50, 3 * right), 0.02f);
}

TEST(StereoDelay, DualMonoFeedbackRepeatsOnItsOwnSide) {
    EffectSlotRig rig;
    rig.select(kStereoDelaySync, syncX(7), syncX(4), 0.75f, 1.0f); // fd = 0.5
    Stereo in = impulse(3 * 22050 + 100);
    std::fill(in.right.begin(), in.right.end(), 0.0f);
    Stereo out = rig.run(in);
    EXPECT_FLOAT_EQ(out.left[11025], 0.5f);
    EXPECT_FLOAT_EQ(out.left[22050], 0.25f);
    EXPECT_FLOAT_EQ(out.left[33075], 0.125f);
    EXPECT_LT(peak(out.right), 1e-6f) << "nothing crosses over";
}

TEST(StereoDelay, FeedZeroPingPongsForeverWithoutDecay) {
    const int d = 11025;
    EffectSlotRig rig;
    rig.select(kStereoDelaySync, syncX(7), syncX(7), 0.0f, 1.0f);
    Stereo out = rig.run(impulse(12 * d + 100));
    // Both inputs enter the left line; the echo alternates sides at full strength.
    for (int k = 1; k <= 11; k += 2) {
        EXPECT_FLOAT_EQ(out.left[k * d], 1.0f) << "pass " << k;
        EXPECT_FLOAT_EQ(out.right[(k + 1) * d], 1.0f) << "pass " << k + 1;
        EXPECT_EQ(out.right[k * d], 0.0f);
    }
}

TEST(ModulatedEffects, SweepTheSignalAndStayFinite) {
    Stereo in = sine(3 * 44100, 1000.0, 0.5f);
    EffectSlotRig plain;
    plain.select(kStereoDelayMs, 0.1f, 0.1f, 0.5f, 1.0f);
    Stereo fixed = plain.run(in);
    EXPECT_LT(peakSpread(fixed.left, 44100, 3 * 44100), 0.01f) << "a fixed delay keeps the level";
    for (int type : {kChorus, kFlanger, kPhaser}) {
        EffectSlotRig rig;
        rig.select(type, type == kChorus ? 0.5f : 0.3f, type == kChorus ? 0.3f : 0.5f, 1.0f, 1.0f);
        Stereo out = rig.run(in);
        EXPECT_TRUE(allFinite(out)) << effectName(type);
        EXPECT_GT(peakSpread(out.left, 44100, 3 * 44100), 0.05f) << effectName(type) << " moves the level";
        EXPECT_GT(peak(out.left), 0.1f);
        EXPECT_LT(peak(out.left), 5.0f);
    }
}

TEST(ModulatedEffects, ChorusSweepsTheChannelsInOppositeDirections) {
    EffectSlotRig rig;
    rig.select(kChorus, 0.5f, 0.0f, 1.0f, 1.0f);
    Stereo in = sine(2 * 44100, 700.0, 0.5f);
    Stereo out = rig.run(in);
    double difference = 0.0;
    for (int i = 44100; i < 2 * 44100; ++i)
        difference += std::fabs(out.left[i] - out.right[i]);
    EXPECT_GT(difference / 44100.0, 0.01);
    EffectSlotRig still;
    still.select(kChorus, 0.5f, 0.0f, 0.0f, 1.0f);
    Stereo centred = still.run(in);
    for (int i = 0; i < 2 * 44100; i += 11)
        EXPECT_FLOAT_EQ(centred.left[i], centred.right[i]) << "Depth 0: both sides at the base time";
}
