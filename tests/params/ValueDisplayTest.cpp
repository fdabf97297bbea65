#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <params/EffectNames.h>
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
    // The text of effect parameter p (0..3) of a type at stored value x.
    std::string effect(int type, int p, float x) {
        fx.type = type;
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
    fx.type = kHallReverb;
    EXPECT_EQ(text(FXType, 0.0), "Hall Reverb") << "the slot's type, not the value";
    fx.type = kStereoDelaySync;
    EXPECT_EQ(text(FXType, 0.0), "Stereo Delay (Tempo Sync)") << "longer than the fixed-text limit";
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

TEST_F(ValueDisplayTest, DelayParameters) {
    EXPECT_EQ(effect(kMonoDelaySync, 0, 0.5f), "1/8 Dot.");
    EXPECT_EQ(effect(kMonoDelaySync, 0, 1.0f), "2 Bars");
    EXPECT_EQ(effect(kMonoDelaySync, 0, 0.0f), "1/32");
    EXPECT_EQ(effect(kMonoDelaySync, 0, 0.875f), "1 Bar") << "12 * 0.125 = 1.5 stays at 1";
    EXPECT_EQ(effect(kMonoDelaySync, 0, 0.87f), "1/2 Bar") << "1.56 rounds up";
    EXPECT_EQ(effect(kStereoDelaySync, 1, 0.5f), "1/8 Dot.");
    EXPECT_EQ(effect(kMonoDelayMs, 0, 0.0f), "0.1ms");
    EXPECT_EQ(effect(kMonoDelayMs, 0, 0.5f), "80ms");
    EXPECT_EQ(effect(kStereoDelayMs, 1, 1.0f), "2.00s");
    EXPECT_EQ(effect(kMonoDelayMs, 1, 0.42f), "42%");
    EXPECT_EQ(effect(kMonoDelaySync, 2, 0.0f), "16.0k");
    EXPECT_EQ(effect(kMonoDelayMs, 2, 0.8f), "1.60k");
    EXPECT_EQ(effect(kStereoDelayMs, 2, 0.75f), "50% dual");
    EXPECT_EQ(effect(kStereoDelaySync, 2, 0.0f), "100% ping");
    EXPECT_EQ(effect(kStereoDelaySync, 2, 0.5f), "0% dual");
    EXPECT_EQ(effect(kStereoDelaySync, 3, 0.3f), "30%");
}

TEST_F(ValueDisplayTest, ModulationAndReverbParameters) {
    EXPECT_EQ(effect(kChorus, 0, 0.0f), "8.18ms");
    EXPECT_EQ(effect(kChorus, 0, 1.0f), "27.3ms");
    EXPECT_EQ(effect(kChorus, 1, 0.0f), "0.20Hz");
    EXPECT_EQ(effect(kChorus, 1, 1.0f), "10.0Hz");
    EXPECT_EQ(effect(kChorus, 2, 0.6f), "60%");
    EXPECT_EQ(effect(kFlanger, 0, 0.6f), "7.26Hz");
    EXPECT_EQ(effect(kPhaser, 0, 1.0f), "20.0Hz");
    EXPECT_EQ(effect(kPhaser, 1, 0.25f), "25%");
    EXPECT_EQ(effect(kRoomReverb, 0, 0.6f), "60%");
    EXPECT_EQ(effect(kHallReverb, 1, 0.6f), "3.40k");
    EXPECT_EQ(effect(kRoomReverb, 3, 0.12f), "12%");
}

TEST_F(ValueDisplayTest, LoFiDistortionFilterAndCompressorParameters) {
    fx.sampleRate = 44100.0;
    EXPECT_EQ(effect(kLoFi, 0, 0.0f), "44.1k");
    EXPECT_EQ(effect(kLoFi, 0, 1.0f), "0.44k");
    fx.sampleRate = 96000.0;
    EXPECT_EQ(effect(kLoFi, 0, 1.0f), "0.96k");
    EXPECT_EQ(effect(kLoFi, 1, 1.0f), "1 Bit");
    EXPECT_EQ(effect(kLoFi, 1, 0.5f), "4 Bits");
    EXPECT_EQ(effect(kLoFi, 1, 0.0f), "16 Bits");
    EXPECT_EQ(effect(kLoFi, 2, 0.5f), "5.75k");
    EXPECT_EQ(effect(kDistortion, 0, 0.35f), "35%");
    EXPECT_EQ(effect(kDistortion, 1, 1.0f), "100%");
    EXPECT_EQ(effect(kAnalogueFilter12, 0, 0.5f), "2.5kHz");
    EXPECT_EQ(effect(kAnalogueFilter24, 0, 0.0f), "10Hz");
    EXPECT_EQ(effect(kAnalogueFilter12, 1, 0.5f), "25%");
    EXPECT_EQ(effect(kAnalogueFilter12, 2, 0.33f), "Lowpass");
    EXPECT_EQ(effect(kAnalogueFilter12, 2, 0.5f), "Bandpass");
    EXPECT_EQ(effect(kAnalogueFilter24, 2, 0.67f), "Highpass");
    EXPECT_EQ(effect(kAnalogueFilter24, 3, 0.2f), "20%");
    EXPECT_EQ(effect(kVintageCompressor, 0, 0.4f), "0.00dB");
    EXPECT_EQ(effect(kVintageCompressor, 0, 1.0f), "36dB");
    EXPECT_EQ(effect(kVintageCompressor, 0, 0.0f), "-24dB");
    EXPECT_EQ(effect(kVintageCompressor, 1, 0.0f), "0.05ms");
    EXPECT_EQ(effect(kVintageCompressor, 1, 1.0f), "50ms");
    EXPECT_EQ(effect(kVintageCompressor, 2, 0.5f), "129ms");
    EXPECT_EQ(effect(kVintageCompressor, 3, 0.0f), "1 : 1.0");
    EXPECT_EQ(effect(kVintageCompressor, 3, 1.0f), "1 : 50");
}

TEST_F(ValueDisplayTest, NamesFollowTheEffectType) {
    EXPECT_STREQ(display.name(FXParam1, kChorus), "Time");
    EXPECT_STREQ(display.name(FXParam4, kVintageCompressor), "Ratio");
    EXPECT_STREQ(display.name(FXParam3, -1), "par3");
    EXPECT_STREQ(display.name(FXParam4, 99), "mix");
    EXPECT_STREQ(display.name(FXType, kChorus), "FX Type");
    EXPECT_STREQ(display.name(EnvDecay, kChorus), "Decay");
    EXPECT_STREQ(display.longName(FXParam3, kStereoDelayMs), "Feedback (ping-pong | dual mono)");
    EXPECT_STREQ(display.longName(FXParam4, kMonoDelayMs), "Mix") << "no description of its own";
    EXPECT_STREQ(display.longName(FilterType, kChorus), "Filter type (off | low | band | high)");
}
