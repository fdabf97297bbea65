#include <gtest/gtest.h>

#include <cmath>

#include "EffectSlotRig.h"
#include <engine/effects/VintageCompressor.h>
#include <params/EffectNames.h>

using namespace trommik2;
using namespace trommik2::test;

namespace {

// Steady-state output/input amplitude ratio of a sine through an effect.
float sineGain(EffectSlotRig& rig, double hz, float amplitude, int channel = 0) {
    Stereo out = rig.run(sine(44100, hz, amplitude));
    const std::vector<float>& y = channel == 0 ? out.left : out.right;
    return peak(y, 22050) / amplitude;
}

float sineGain(int type, float p1, float p2, float p3, float p4, double hz, float amplitude) {
    EffectSlotRig rig;
    rig.select(type, p1, p2, p3, p4);
    return sineGain(rig, hz, amplitude);
}

} // namespace

TEST(Reverb, TailDecaysFasterAtLowerDecay) {
    for (int type : {kRoomReverb, kHallReverb}) {
        auto tail = [&](float decay) {
            EffectSlotRig rig;
            rig.select(type, decay, 0.3f, 0.5f, 1.0f);
            Stereo out = rig.run(impulse(2 * 44100));
            EXPECT_TRUE(allFinite(out));
            double early = energy(out.left, 1, 22050) + energy(out.right, 1, 22050);
            double late = energy(out.left, 66150, 88200) + energy(out.right, 66150, 88200);
            EXPECT_GT(early, 1e-4) << effectName(type) << " answers the impulse";
            return late / early;
        };
        double shortTail = tail(0.5f);
        double longTail = tail(0.95f);
        EXPECT_LT(shortTail, 1e-6) << effectName(type);
        EXPECT_LT(longTail, 0.5) << effectName(type) << " still decays at 0.95";
        EXPECT_GT(longTail, 100.0 * shortTail) << effectName(type);
    }
}

TEST(Reverb, FullDecayStaysBoundedUnderNoise) {
    for (int type : {kRoomReverb, kHallReverb}) {
        EffectSlotRig rig;
        rig.select(type, 1.0f, 0.0f, 1.0f, 1.0f);
        Stereo out = rig.run(noise(3 * 44100));
        EXPECT_TRUE(allFinite(out));
        EXPECT_LT(peak(out.left), 50.0f) << effectName(type);
    }
}

TEST(Reverb, LeftInputReachesBothSidesThroughTheNetwork) {
    EffectSlotRig rig;
    rig.select(kRoomReverb, 0.8f, 0.0f, 0.0f, 1.0f);
    Stereo in = impulse(44100);
    std::fill(in.right.begin(), in.right.end(), 0.0f);
    Stereo out = rig.run(in);
    EXPECT_EQ(out.left[0], 0.0f) << "Mix 1: the reverb has no dry part";
    EXPECT_GT(energy(out.right, 1, 44100), 1e-4);
}

TEST(Compressor, LawCrossesFromLiftingToCompressingNearRatio183) {
    EXPECT_NEAR(VintageCompressor::lawForRatio(50.0f).c, 0.98f, 1e-5f);
    EXPECT_NEAR(VintageCompressor::lawForRatio(1.0f).c, -0.84f, 0.005f);
    EXPECT_NEAR(VintageCompressor::lawForRatio(1.83f).c, 0.0f, 0.005f);
    VintageCompressor::Law lift = VintageCompressor::lawForRatio(1.0f);
    EXPECT_GT(lift.c0, 1.0f);
    EXPECT_GT(lift.c1 * 0.5f + lift.c0, 1.0f) << "the gain law rises above 1 as the reduction grows";
    VintageCompressor::Law squeeze = VintageCompressor::lawForRatio(20.0f);
    EXPECT_LT(squeeze.c1 * 0.5f + squeeze.c0, 1.0f);
}

TEST(Compressor, ReducesLoudSignalsMoreFromModerateRatiosUp) {
    // Input 0 dB (x = 0.4), attack and release moderate.
    for (float ratio : {0.45f, 0.6f, 1.0f}) { // 3:1, 7.4:1, 50:1
        float quiet = sineGain(kVintageCompressor, 0.4f, 0.3f, 0.3f, ratio, 441.0, 0.01f);
        float loud = sineGain(kVintageCompressor, 0.4f, 0.3f, 0.3f, ratio, 441.0, 2.0f);
        EXPECT_LT(loud, 0.8f * quiet) << "ratio knob " << ratio;
    }
    // At 1:1 the loud sine keeps the quiet one's gain: the law lifts what the detector takes.
    float quiet = sineGain(kVintageCompressor, 0.4f, 0.3f, 0.3f, 0.0f, 441.0, 0.01f);
    float loud = sineGain(kVintageCompressor, 0.4f, 0.3f, 0.3f, 0.0f, 441.0, 2.0f);
    EXPECT_GT(loud, 0.97f * quiet);
}

TEST(Compressor, InputGainScalesTheQuietPath) {
    float at0dB = sineGain(kVintageCompressor, 0.4f, 0.3f, 0.3f, 1.0f, 441.0, 0.001f);
    float at6dB = sineGain(kVintageCompressor, 0.5f, 0.3f, 0.3f, 1.0f, 441.0, 0.001f);
    EXPECT_NEAR(at6dB / at0dB, std::pow(10.0f, 6.0f / 20.0f), 0.02f);
}

TEST(LoFi, SteadyInputSettlesOnTheQuantisedLevel) {
    struct Case {
        float crush;
        float expected;
    };
    // Crush x gives floor((1 - x)^2 * 15 + 1) bits; 0.3 quantised to that grid.
    for (Case c :
         {Case{1.0f, 0.5f}, Case{0.5f, 5.0f / 16.0f}, Case{0.0f, std::floor(0.3f * 65536.0f + 0.5f) / 65536.0f}}) {
        EffectSlotRig rig;
        rig.select(kLoFi, 0.0f, c.crush, 1.0f, 1.0f);
        Stereo in = silence(4096);
        std::fill(in.left.begin(), in.left.end(), 0.3f);
        Stereo out = rig.run(in);
        EXPECT_NEAR(out.left.back(), c.expected, 1e-5f) << "crush " << c.crush;
        EXPECT_NEAR(out.right.back(), 0.0f, 1e-6f);
    }
}

TEST(LoFi, RateHoldsEachTakenSample) {
    // Rate 1: a new sample every 100 samples; a step at sample 10 shows up late.
    EffectSlotRig rig;
    rig.select(kLoFi, 1.0f, 0.0f, 1.0f, 1.0f);
    Stereo in = silence(400);
    std::fill(in.left.begin() + 10, in.left.end(), 0.5f);
    Stereo out = rig.run(in);
    EXPECT_LT(peak(out.left, 0, 95), 1e-6f);
    EXPECT_NEAR(out.left[150], 0.5f, 0.01f);
}

TEST(AnalogueFilter, PassesAndStopsItsBands) {
    const float cutoff1k = std::pow(990.0f / 19990.0f, 0.25f); // 1000 Hz
    for (int type : {kAnalogueFilter12, kAnalogueFilter24}) {
        float stop = type == kAnalogueFilter12 ? 0.02f : 0.001f;
        EXPECT_NEAR(sineGain(type, cutoff1k, 0.0f, 0.0f, 0.0f, 100.0, 0.1f), 1.0f, 0.05f) << "low-pass passes";
        EXPECT_LT(sineGain(type, cutoff1k, 0.0f, 0.0f, 0.0f, 10000.0, 0.1f), stop) << "low-pass stops";
        EXPECT_NEAR(sineGain(type, cutoff1k, 0.0f, 1.0f, 0.0f, 10000.0, 0.1f), 1.0f, 0.05f) << "high-pass passes";
        EXPECT_LT(sineGain(type, cutoff1k, 0.0f, 1.0f, 0.0f, 100.0, 0.1f), stop) << "high-pass stops";
        float centre = sineGain(type, cutoff1k, 0.0f, 0.5f, 0.0f, 1000.0, 0.1f);
        EXPECT_GT(centre, 4.0f * sineGain(type, cutoff1k, 0.0f, 0.5f, 0.0f, 10000.0, 0.1f)) << "band-pass";
    }
}

TEST(AnalogueFilter, ResonanceRaisesTheCutoffRegion) {
    const float cutoff1k = std::pow(990.0f / 19990.0f, 0.25f);
    float flat = sineGain(kAnalogueFilter12, cutoff1k, 0.0f, 0.0f, 0.0f, 1000.0, 0.01f);
    float resonant = sineGain(kAnalogueFilter12, cutoff1k, 0.8f, 0.0f, 0.0f, 1000.0, 0.01f);
    EXPECT_GT(resonant, 3.0f * flat);
}

TEST(Distortion, ShelvesSetTheLowAndHighGains) {
    const float small = 0.0005f; // the shaper is linear down here
    float plus24 = std::pow(10.0f, 24.0f / 20.0f);
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 0.5f, 0.5f, 1.0f, 1000.0, small), 1.0f, 0.02f) << "0 dB shelves";
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 1.0f, 0.5f, 1.0f, 30.0, small), plus24, 0.1f * plus24);
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 0.0f, 0.5f, 1.0f, 30.0, small), 1.0f / plus24, 0.1f / plus24);
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 0.0f, 0.5f, 1.0f, 15000.0, small), 1.0f, 0.05f) << "low shelf only";
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 0.5f, 1.0f, 1.0f, 18000.0, small), plus24, 0.1f * plus24);
    EXPECT_NEAR(sineGain(kDistortion, 0.0f, 0.5f, 0.0f, 1.0f, 18000.0, small), 1.0f / plus24, 0.1f / plus24);
}

TEST(Distortion, DriveSaturatesAndMixBlendsTheDrySignal) {
    float driven = sineGain(kDistortion, 1.0f, 0.5f, 0.5f, 1.0f, 200.0, 0.5f);
    // d = 1: +60 dB into the shaper, whose output tends to 1, times -24 dB.
    EXPECT_NEAR(driven * 0.5f, std::pow(10.0f, -24.0f / 20.0f), 0.01f);
    EXPECT_NEAR(sineGain(kDistortion, 1.0f, 0.5f, 0.5f, 0.0f, 200.0, 0.5f), 1.0f, 1e-3f) << "Mix 0 is dry";
}
