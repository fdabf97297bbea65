#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <content/StepCodec.h>
#include <params/ParameterTable.h>

using namespace trommik2;

namespace {

// The automation range of a parameter, from the table.
struct Range {
    float lo, hi;
};

Range automationRange(int p) {
    static const ParameterTable table;
    return {table.descriptor(p).automationMinimum, table.descriptor(p).automationMaximum};
}

} // namespace

TEST(StepCodec, VelocitiesAreTwoUpperCaseDigitsPerStep) {
    TrackPattern track;
    track.setStep(0, 127);
    track.setStep(1, 0x0A);
    track.setStep(127, 0x1F3); // only the low eight bits are written
    std::string text = StepCodec::velocities(track);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text.substr(0, 6), "7F0A00");
    EXPECT_EQ(text.substr(254), "F3");
}

TEST(StepCodec, AShortVelocityTextCoversOnlyItsPairs) {
    TrackPattern track;
    StepCodec::readVelocities("7F00", track);
    EXPECT_EQ(track.velocity(0), 127);
    EXPECT_TRUE(track.stepMask().test(0));
    EXPECT_EQ(track.velocity(1), 0);
    EXPECT_FALSE(track.stepMask().test(1));
    for (int k = 2; k < 128; ++k)
        ASSERT_EQ(track.velocity(k), 0) << k;

    TrackPattern odd;
    StepCodec::readVelocities("0102F", odd);
    EXPECT_EQ(odd.velocity(1), 2);
    EXPECT_EQ(odd.velocity(2), 0) << "an unpaired last digit is not a step";
}

TEST(StepCodec, OnlyUpperCaseDigitsCount) {
    TrackPattern track;
    StepCodec::readVelocities("7f", track);
    EXPECT_EQ(track.velocity(0), 0x70) << "lower-case f reads as 0";
    StepCodec::readVelocities("G1zz", track);
    EXPECT_EQ(track.velocity(0), 0x01);
    EXPECT_EQ(track.velocity(1), 0x00);
    EXPECT_FALSE(track.stepMask().test(1));
}

TEST(StepCodec, AtMost128StepsAreRead) {
    TrackPattern track;
    StepCodec::readVelocities(std::string(300, '1').c_str(), track);
    EXPECT_EQ(track.velocity(127), 0x11);
    EXPECT_TRUE(track.stepMask().test(127));
}

TEST(StepCodec, AutomationWordsSpanTheAutomationRange) {
    Range pan = automationRange(OutPan);
    EXPECT_EQ(StepCodec::toWord(pan.lo, pan.lo, pan.hi), 0x0000);
    EXPECT_EQ(StepCodec::toWord(pan.hi, pan.lo, pan.hi), 0xFFFF);
    Range tune = automationRange(GenWavTune);
    EXPECT_EQ(tune.lo, -24.0f);
    EXPECT_EQ(StepCodec::toWord(0.0f, tune.lo, tune.hi), 0x7FFF) << "32767.5 truncates";
    EXPECT_EQ(StepCodec::toWord(-25.0f, tune.lo, tune.hi), 0xFAAB) << "below the range: truncated, then masked";
    EXPECT_EQ(StepCodec::toWord(5.0f, 0.0f, 0.0f), 0) << "an empty range writes zero";
    EXPECT_EQ(StepCodec::toWord(NAN, tune.lo, tune.hi), 0);
    EXPECT_EQ(StepCodec::toWord(1e30f, tune.lo, tune.hi), 0xFFFF);
    EXPECT_EQ(StepCodec::fromWord(0, pan.lo, pan.hi), -1.0f);
    EXPECT_EQ(StepCodec::fromWord(0xFFFF, pan.lo, pan.hi), 1.0f);
    EXPECT_NEAR(StepCodec::fromWord(0x7FFF, tune.lo, tune.hi), -24.0 + 48.0 * 32767 / 65535, 1e-5);
}

TEST(StepCodec, EveryWordSurvivesReadingAndWritingAgain) {
    for (int p : {FilterFreq, OutPan, GenWavTune, GenPMDampFreq, GenFMRingTune1, EnvDecay, GenNoiseQ1}) {
        Range r = automationRange(p);
        for (int word = 0; word < 65536; ++word) {
            float value = StepCodec::fromWord(static_cast<uint16_t>(word), r.lo, r.hi);
            ASSERT_EQ(StepCodec::toWord(value, r.lo, r.hi), word) << "parameter " << p;
            ASSERT_NEAR(value, r.lo + (r.hi - r.lo) * word / 65535.0, std::fabs(r.hi - r.lo) * 1e-6);
        }
    }
}

TEST(StepCodec, AZeroValueLeavesNoAutomationPoint) {
    Range freq = automationRange(FilterFreq);
    Range pan = automationRange(OutPan);
    TrackPattern track;
    StepCodec::readAutomation("0000", track, FilterFreq, freq.lo, freq.hi);
    EXPECT_EQ(track.automationValue(FilterFreq, 0), 0.0f);
    EXPECT_FALSE(track.hasAutomation(FilterFreq)) << "0000 reads back as 0 Hz";
    StepCodec::readAutomation("0000", track, OutPan, pan.lo, pan.hi);
    EXPECT_EQ(track.automationValue(OutPan, 0), -1.0f);
    EXPECT_TRUE(track.automationMask(OutPan).test(0)) << "-1 is a value like any other";
}

TEST(StepCodec, AutomationTextRoundTrips) {
    Range freq = automationRange(FilterFreq);
    TrackPattern track;
    track.setAutomationPoint(FilterFreq, 3, freq.hi);
    track.setAutomationPoint(FilterFreq, 127, StepCodec::fromWord(0x1234, freq.lo, freq.hi));
    std::string text = StepCodec::automation(track, FilterFreq, freq.lo, freq.hi);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.substr(0, 16), "000000000000FFFF");
    EXPECT_EQ(text.substr(508), "1234");
    TrackPattern copy;
    StepCodec::readAutomation(text.c_str(), copy, FilterFreq, freq.lo, freq.hi);
    EXPECT_EQ(StepCodec::automation(copy, FilterFreq, freq.lo, freq.hi), text);
    EXPECT_EQ(copy.automationMask(FilterFreq).word(0), 1u << 3);
    EXPECT_EQ(copy.automationMask(FilterFreq).word(3), 1u << 31);
}
