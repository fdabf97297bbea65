#include <gtest/gtest.h>

#include <cmath>

#include "EffectSlotRig.h"
#include <params/EffectNames.h>

using namespace trommik2;
using namespace trommik2::test;

namespace {

constexpr int kEcho = 11025; // "1/8" at 120 bpm
const float kEighth = 1.0f - 7.3f / 12.0f;

} // namespace

TEST(EffectsModule, StartsWithTheSyncedMonoDelayReady) {
    EffectSlotRig rig;
    EXPECT_EQ(rig.fx.effectType(), kMonoDelaySync);
    EXPECT_FALSE(rig.fx.isActive());
    rig.set(FXParam1, kEighth);
    rig.set(FXParam4, 1.0f);
    rig.set(FXActive, 1.0f);
    Stereo out = rig.run(impulse(kEcho + 100));
    EXPECT_EQ(argmax(out.left, 1, kEcho + 100), kEcho);
}

TEST(EffectsModule, InactiveSlotPassesTheInputUnchanged) {
    Stereo in = noise(1000);
    for (int type = 0; type < kEffectTypeCount; ++type) {
        EffectSlotRig rig;
        rig.select(type, 0.7f, 0.2f, 0.9f, 1.0f);
        rig.set(FXActive, 0.0f);
        EXPECT_FALSE(rig.fx.isActive());
        Stereo out = rig.run(in);
        EXPECT_EQ(out.left, in.left) << effectName(type);
        EXPECT_EQ(out.right, in.right) << effectName(type);
    }
}

TEST(EffectsModule, ReselectingTheCurrentTypeKeepsTheEcho) {
    EffectSlotRig rig;
    rig.select(kMonoDelaySync, kEighth, 0.0f, 0.0f, 1.0f);
    Stereo first = rig.run(impulse(5000));
    rig.set(FXType, 0.2f); // rounds to the current type
    Stereo rest = rig.run(silence(kEcho));
    EXPECT_GT(peak(rest.left), 0.5f) << "the echo of the first block still comes";

    EffectSlotRig other;
    other.select(kMonoDelaySync, kEighth, 0.0f, 0.0f, 1.0f);
    other.run(impulse(5000));
    other.set(FXType, kMonoDelayMs);
    other.set(FXType, kMonoDelaySync);
    EXPECT_LT(peak(other.run(silence(kEcho)).left), 1e-9f) << "a type switch starts a fresh effect";
}

TEST(EffectsModule, SwitchingActiveOrResettingClearsTheEffect) {
    for (int mode = 0; mode < 2; ++mode) {
        EffectSlotRig rig;
        rig.select(kMonoDelaySync, kEighth, 0.5f, 0.0f, 1.0f);
        rig.run(impulse(5000));
        if (mode == 0) {
            rig.set(FXActive, 0.0f);
            rig.set(FXActive, 1.0f);
        } else {
            rig.fx.reset();
        }
        EXPECT_TRUE(rig.fx.isActive());
        EXPECT_LT(peak(rig.run(silence(3 * kEcho)).left), 1e-9f) << (mode == 0 ? "FXActive" : "reset");
    }
}

TEST(EffectsModule, EachTypeKeepsItsOwnParameterRecordWhileTheKnobsStay) {
    EffectSlotRig rig;
    rig.select(kMonoDelayMs, 0.1f, 0.2f, 0.3f, 0.4f);
    rig.select(kHallReverb, 0.9f, 0.8f, 0.7f, 0.6f);
    EXPECT_FLOAT_EQ(rig.fx.storedValue(0), 0.9f);
    rig.set(FXType, kMonoDelayMs);
    const float expected[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    const float knobs[4] = {0.9f, 0.8f, 0.7f, 0.6f};
    for (int p = 0; p < 4; ++p) {
        EXPECT_FLOAT_EQ(rig.fx.storedValue(p), expected[p]);
        EXPECT_FLOAT_EQ(rig.fx.value(FXParam1 + p, 0), knobs[p]) << "a type switch never moves the knobs";
    }
    rig.set(FXType, kHallReverb);
    EXPECT_FLOAT_EQ(rig.fx.storedValue(3), 0.6f);
    rig.set(FXType, kPhaser);
    EXPECT_FLOAT_EQ(rig.fx.storedValue(0), 0.0f) << "never set: the default";
}

TEST(EffectsModule, StoredValuesAreClippedAndFollowTheSmoothedParameter) {
    EffectSlotRig rig;
    rig.select(kChorus, 1.7f, -0.5f, 0.5f, 0.5f);
    EXPECT_FLOAT_EQ(rig.fx.storedValue(0), 1.0f);
    EXPECT_FLOAT_EQ(rig.fx.storedValue(1), 0.0f);
    EXPECT_EQ(rig.fx.storedValue(4), 0.0f);
    rig.fx.setOffset(FXParam3, 0.25f); // automation moves the used value
    rig.run(silence(64));
    EXPECT_FLOAT_EQ(rig.fx.storedValue(2), 0.75f);
}

TEST(EffectsModule, OutOfRangeTypesAndTemposAreHarmless) {
    EffectSlotRig rig;
    rig.set(FXType, 40.0f);
    EXPECT_EQ(rig.fx.effectType(), kVintageCompressor);
    rig.set(FXType, -3.0f);
    EXPECT_EQ(rig.fx.effectType(), kMonoDelaySync);
    rig.set(FXType, std::nanf(""));
    rig.fx.setTempo(0.0f);
    rig.fx.setTempo(-5.0f);
    rig.fx.setTempo(std::nanf(""));
    rig.fx.setSampleRate(0.0f);
    rig.select(kMonoDelaySync, 1.0f, 0.9f, 0.0f, 1.0f);
    EXPECT_TRUE(allFinite(rig.run(impulse(2000))));
}

TEST(EffectsModule, SampleRateChangeKeepsTimesInSeconds) {
    EffectSlotRig rig(48000.0f);
    rig.select(kMonoDelaySync, kEighth, 0.0f, 0.0f, 1.0f);
    rig.fx.setSampleRate(96000.0f);
    Stereo out = rig.run(impulse(24000 + 100));
    EXPECT_EQ(argmax(out.left, 1, 24100), 24000);
}

// Every type at every corner of its four parameters, fed loud noise for two
// seconds: the output stays finite.
class EffectCorners : public ::testing::TestWithParam<int> {};

TEST_P(EffectCorners, StayFiniteUnderNoise) {
    const int type = GetParam();
    Stereo in = noise(2 * 44100);
    for (float& x : in.left)
        x *= 2.0f;
    for (int corner = 0; corner < 16; ++corner) {
        EffectSlotRig rig;
        rig.select(type, corner & 1 ? 1.0f : 0.0f, corner & 2 ? 1.0f : 0.0f, corner & 4 ? 1.0f : 0.0f,
                   corner & 8 ? 1.0f : 0.0f);
        Stereo out = rig.run(in);
        ASSERT_TRUE(allFinite(out)) << effectName(type) << " corner " << corner;
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, EffectCorners, ::testing::Range(0, kEffectTypeCount),
                         [](const ::testing::TestParamInfo<int>& info) { return "Type" + std::to_string(info.param); });
