#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include <params/ValueDisplay.h>

using namespace trommik2;

namespace {

class ValueDisplayTest : public ::testing::Test {
  protected:
    std::string text(int index, double value) const {
        char out[64];
        display.format(index, value, fx, out, sizeof out);
        return out;
    }
    std::string clamped(int index, double value) const {
        char out[64];
        display.text(index, value, fx, out, sizeof out);
        return out;
    }
    // The text of effect knob p (0..3) at stored value x.
    std::string knob(int p, float x) {
        fx.stored[p] = x;
        return text(FXParam1 + p, 0.0);
    }

    ParameterTable table;
    ValueDisplay display{table};
    EffectSlotState fx;
};

} // namespace

TEST_F(ValueDisplayTest, NumericFormatters) {
    EXPECT_EQ(text(GenNoiseFreq1, 999.6), "1000 Hz");
    EXPECT_EQ(text(GenNoiseFreq1, 1000.0), "1.00 kHz");
    EXPECT_EQ(text(EnvDecay, 1700.0), "1.70 s");
    EXPECT_EQ(text(EnvDecay, 250.0), "250 ms");
    EXPECT_EQ(text(EnvDecay, 50.0), "50.0 ms");
    EXPECT_EQ(text(EnvDecay, 5.0), "5.00 ms");
    EXPECT_EQ(text(OutLevelDB, 0.0), "0dB");
    EXPECT_EQ(text(OutLevelDB, -6.0), "-6.00dB");
    EXPECT_EQ(text(OutLevelDB, -48.0), "-48.0dB");
    EXPECT_EQ(text(OutLevelDB, 95.0), "-");
    EXPECT_EQ(text(OutPan, -1.0), "-100%");
    EXPECT_EQ(text(GenNoiseQ1, 0.254), "25%");
    EXPECT_EQ(text(GenFMRingTune2, 3.5), "+3.50");
    EXPECT_EQ(text(GenFMRingTune2, -0.25), "-0.25");
    EXPECT_EQ(text(GenFMRingTune2, 0.0), "0");
    EXPECT_EQ(text(GenWavTune, -12.0), "-12.00");
    EXPECT_EQ(text(GenMixSynthesisWav, 0.3), "30% : 70%");
}

TEST_F(ValueDisplayTest, NotesDeformationAndCurves) {
    EXPECT_EQ(text(GenFMRingTune1, 36.0), "c  3");
    EXPECT_EQ(text(GenFMRingTune1, 35.8), "c  3 -20");
    EXPECT_EQ(text(GenFMRingTune1, 36.2), "c  3 +20");
    EXPECT_EQ(text(GenFMRingTune1, 200.0), "");
    EXPECT_EQ(text(GenFMRingTune1, -3.0), "");
    EXPECT_EQ(text(GenFMRingTune1, 1e30), "");
    EXPECT_EQ(text(GenFMRingDeform1, 0.0), "Sinewave");
    EXPECT_EQ(text(GenFMRingDeform1, 1.0), "Sinewave");
    EXPECT_EQ(text(GenFMRingDeform1, 50.0), "50%");
    EXPECT_EQ(text(GenFMRingDeform2, 100.0), "Sawtooth");
    EXPECT_EQ(text(GenFMRingDeform2, 99.0), "Sawtooth") << "the oscillator's distortion stops growing at 99";
    EXPECT_EQ(text(GenFMRingDeform2, 98.6), "99%");
    EXPECT_EQ(text(EnvCurveShape, -37.0), "-37 (exp)");
    EXPECT_EQ(text(EnvVelocityShape, 12.9), "+13 (log)") << "the nearest whole number";
    EXPECT_EQ(text(EnvCurveShape, 0.4), "0 (lin)");
}

TEST_F(ValueDisplayTest, ChoicesAndNames) {
    EXPECT_EQ(text(GenSynthesisType, 2.0), "Physical Modelling");
    EXPECT_EQ(text(GenSynthesisType, 12.0), "Filtered Noise");
    EXPECT_EQ(text(GenNullDummy, 0.5), "-");
    EXPECT_EQ(text(GenFMRingFMMode, 0.0), "Sine 1 -> 2");
    EXPECT_EQ(text(GenFMRingFMMode, 1.0), "Sine 2 -> 1");
    EXPECT_EQ(text(GenFMRingFMMode, 2.0), "Cross Mod");
    EXPECT_EQ(text(GenFMRingFMMode, 1.8), "Cross Mod") << "between modes: the nearest";
    EXPECT_EQ(text(GenWavDirection, 1.0), "reverse");
    EXPECT_EQ(text(GenWavDirection, 0.6), "reverse") << "between the two: the nearest, as it plays";
    EXPECT_EQ(text(GenWavDirection, 0.49), "normal");
    EXPECT_EQ(text(FilterType, 2.0), "Bandpass");
    EXPECT_EQ(text(FilterType, 1.6), "Bandpass");
    EXPECT_EQ(text(FilterType, 0.0), "Filter Off");
    EXPECT_EQ(text(FXActive, 1.0), "on");
    EXPECT_EQ(text(FXActive, 0.5), "off");
    EXPECT_EQ(text(kParameterCount, 1.0), "-");
    EXPECT_EQ(text(GenNoiseFreq1, std::nan("")), "-");
}

TEST_F(ValueDisplayTest, TextClampsIntoTheRangeFirst) {
    EXPECT_EQ(clamped(OutLevelDB, 95.0), "24.0dB");
    EXPECT_EQ(clamped(GenFMRingTune1, 200.0), "g  10");
    EXPECT_EQ(clamped(GenNoiseFreq1, 2.0), "10 Hz");
}

TEST_F(ValueDisplayTest, OutputIsCutToTheBuffer) {
    char small[5];
    display.format(EnvDecay, 1700.0, fx, small, sizeof small);
    EXPECT_STREQ(small, "1.70");
    display.format(GenFMRingFMMode, 0.0, fx, small, sizeof small);
    EXPECT_STREQ(small, "Sine");
}

namespace {

double twice(float x, double) { return 2.0 * x; }
void showWithRate(double value, double sampleRate, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, "%.2f of %.0f", value, sampleRate);
}

// An effect whose first knob is mapped and shown, the others read as positions.
const EffectDescription kTestEffect = {"A Rather Long Effect Name",
                                       "Short",
                                       {{"One", "The first knob", twice, showWithRate},
                                        {"Two", nullptr, twice, nullptr},
                                        {"Three", nullptr, nullptr, nullptr},
                                        {"Four", nullptr, nullptr, nullptr}}};

} // namespace

TEST_F(ValueDisplayTest, EffectKnobsReadAsTheirEffectDescribesThem) {
    fx.effect = &kTestEffect;
    fx.sampleRate = 48000.0;
    EXPECT_EQ(knob(0, 0.25f), "0.50 of 48000") << "mapped, then shown by the effect";
    EXPECT_EQ(knob(1, 0.25f), "50%") << "mapped, shown as a percentage";
    EXPECT_EQ(knob(2, 0.25f), "25%") << "neither: the position";
    EXPECT_EQ(text(FXType, 3.0), "A Rather Long Effect Name") << "the slot's effect, whatever the value";
    EXPECT_STREQ(display.name(FXParam1, &kTestEffect), "One");
    EXPECT_STREQ(display.longName(FXParam1, &kTestEffect), "The first knob");
    EXPECT_STREQ(display.longName(FXParam2, &kTestEffect), "Two") << "no description of its own";
    EXPECT_STREQ(display.name(FXType, &kTestEffect), "FX Type");
    EXPECT_STREQ(display.longName(FilterType, &kTestEffect), "Filter type (off | low | band | high)");
}

TEST_F(ValueDisplayTest, WithoutAnEffectTheSlotShowsGenericKnobs) {
    EXPECT_EQ(text(FXType, 0.0), "no fx");
    EXPECT_EQ(knob(3, 0.42f), "42%");
    EXPECT_STREQ(display.name(FXParam3, nullptr), "par3");
    EXPECT_STREQ(display.longName(FXParam4, nullptr), "mix");
    EXPECT_STREQ(display.name(EnvDecay, nullptr), "Decay");
}
