#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <engine/FmRingModule.h>
#include <params/ParameterIndex.h>

#include "ModuleDriver.h"

using namespace trommik2;
using namespace trommik2::test;

namespace {

// The wrap at 1023 of 1024 table units raises every pitch by this factor.
constexpr double kPeriodStretch = 1024.0 / 1023.0;

double noteFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

// A module with steady pitches (no envelope sweep) and the given settings.
std::vector<float> play(std::initializer_list<std::pair<int, float>> values, size_t n = 4096) {
    FmRingModule module;
    module.setSampleRate(kRate);
    configure(module, {{GenFMRingPitchEnv1, 0.0f}, {GenFMRingPitchEnv2, 0.0f}});
    for (const auto& [index, value] : values)
        module.setValue(index, value, 0);
    module.reset();
    return render(module, constant(n, 1.0f));
}

} // namespace

TEST(FmRingModule, Note69IsA440StretchedByThePeriod) {
    std::vector<float> out = play({{GenFMRingTune1, 69.0f}, {GenFMRingTune2, 0.0f}}, 44100);
    double f = measuredFrequency(out, kRate);
    EXPECT_NEAR(f, 440.0 * kPeriodStretch, 0.05);
    EXPECT_GT(f, 440.2) << "the 1023-unit period sounds slightly sharp";
}

TEST(FmRingModule, NotesAreClippedTo127) {
    std::vector<float> clipped =
        play({{GenFMRingTune1, 120.0f}, {GenFMRingTune2, 24.0f}, {GenFMRingVol1, 0.0f}}, 44100);
    EXPECT_NEAR(measuredFrequency(clipped, kRate), noteFrequency(127.0) * kPeriodStretch, 2.0);
    std::vector<float> top = play({{GenFMRingTune1, 127.0f}, {GenFMRingTune2, 0.0f}, {GenFMRingVol1, 0.0f}}, 44100);
    EXPECT_EQ(clipped, top);
}

TEST(FmRingModule, ModeBetweenTwoPlaysTheNearest) {
    auto withMode = [](float mode) {
        return play({{GenFMRingTune1, 48.0f},
                     {GenFMRingTune2, 7.0f},
                     {GenFMRingXModAmt, 0.8f},
                     {GenFMRingRingModAmt, 0.3f},
                     {GenFMRingFMMode, mode}});
    };
    std::vector<float> modes[3] = {withMode(0.0f), withMode(1.0f), withMode(2.0f)};
    EXPECT_NE(modes[0], modes[1]);
    EXPECT_NE(modes[1], modes[2]);
    EXPECT_NE(modes[0], modes[2]);
    EXPECT_EQ(withMode(0.4f), modes[0]);
    EXPECT_EQ(withMode(0.5f), modes[1]) << "an exact half rounds up, as the label says";
    EXPECT_EQ(withMode(1.7f), modes[2]);
}

TEST(FmRingModule, ModulationArrivesOneBlockLate) {
    std::vector<float> plain = play({{GenFMRingTune1, 60.0f}, {GenFMRingTune2, 5.0f}});
    std::vector<float> fm =
        play({{GenFMRingTune1, 60.0f}, {GenFMRingTune2, 5.0f}, {GenFMRingXModAmt, 1.0f}, {GenFMRingFMMode, 2.0f}});
    EXPECT_TRUE(std::equal(plain.begin(), plain.begin() + 64, fm.begin())) << "the first block hears no FM yet";
    EXPECT_FALSE(std::equal(plain.begin() + 64, plain.begin() + 128, fm.begin() + 64));
}

TEST(FmRingModule, DistortionFadesOutAtASixthOfTheRate) {
    // Note 120 lies above a sixth of 44100 Hz, note 117 just below it.
    for (float note : {117.0f, 120.0f}) {
        std::vector<float> pure = play({{GenFMRingTune1, note}, {GenFMRingDeform1, 0.0f}});
        std::vector<float> bent = play({{GenFMRingTune1, note}, {GenFMRingDeform1, 100.0f}});
        if (noteFrequency(note) >= kRate / 6.0)
            EXPECT_EQ(pure, bent) << note;
        else
            EXPECT_NE(pure, bent) << note;
    }
}

TEST(FmRingModule, RingModulationMultipliesTheOscillators) {
    std::vector<float> one = play({{GenFMRingTune1, 50.0f}, {GenFMRingTune2, 9.0f}, {GenFMRingVol2, 0.0f}});
    std::vector<float> two = play({{GenFMRingTune1, 50.0f}, {GenFMRingTune2, 9.0f}, {GenFMRingVol1, 0.0f}});
    std::vector<float> ring = play({{GenFMRingTune1, 50.0f}, {GenFMRingTune2, 9.0f}, {GenFMRingRingModAmt, 1.0f}});
    for (size_t i = 0; i < ring.size(); ++i)
        ASSERT_NEAR(ring[i], one[i] * two[i], 1e-6f) << i;
}

TEST(FmRingModule, EnvelopeDecaySweepsThePitchDown) {
    FmRingModule module;
    module.setSampleRate(kRate);
    // Linear envelope and sweep shapes: the pitch follows (1 - measure) of the envelope.
    configure(module, {{GenFMRingTune1, 69.0f},
                       {GenFMRingEnvAmt1, 0.5f},
                       {GenFMRingEnvAmt2, 0.5f},
                       {GenFMRingPitchEnv1, 0.5f},
                       {GenFMRingPitchEnv2, 0.5f}});
    std::vector<float> full = render(module, constant(8192, 1.0f));
    std::vector<float> half = render(module, constant(8192, 0.5f), false);
    double start = measuredFrequency(std::vector<float>(full.begin() + 4096, full.end()), kRate);
    double later = measuredFrequency(std::vector<float>(half.begin() + 4096, half.end()), kRate);
    EXPECT_NEAR(start, 440.0 * kPeriodStretch, 0.5);
    EXPECT_LT(later, 0.75 * start);
}

TEST(FmRingModule, SilentBelowTheLevelGate) {
    std::vector<float> out = play({{GenFMRingVol1, 0.0f}, {GenFMRingVol2, 0.0005f}});
    for (float x : out)
        ASSERT_EQ(x, 0.0f);
}
