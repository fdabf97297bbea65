#include <gtest/gtest.h>

#include <cmath>

#include <engine/Dsp.h>

#include "CoreTestSupport.h"

using namespace trommik2;

TEST(DrumMachine, AnnouncesItsIdentity) {
    DrumMachine machine(nullptr);
    AEffect* effect = machine.getAeffect();
    EXPECT_EQ(effect->numInputs, 0);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_TRUE(effect->flags & effFlagsCanReplacing);
    EXPECT_TRUE(effect->flags & effFlagsIsSynth);
    EXPECT_FALSE(effect->flags & (effFlagsHasVu | effFlagsHasClip | effFlagsCanMono));
    EXPECT_EQ(effect->uniqueID, fourCharCode("ZK15"));
}

TEST(DrumMachine, MasterVolumeShuffleMuteAndSoloParameters) {
    DrumMachine machine(nullptr);
    machine.setParameter(10000, 1.0f);
    EXPECT_NEAR(machine.bank().masterVolume, 1.99526f, 1e-4f);
    EXPECT_NEAR(machine.getParameter(10000), 1.0f, 1e-6f);
    machine.setParameter(10000, 0.875f);
    EXPECT_NEAR(machine.bank().masterVolume, 1.0f, 1e-6f);
    EXPECT_NEAR(machine.getParameter(10000), 0.875f, 1e-6f);

    machine.setParameter(10015, 0.333f);
    EXPECT_EQ(machine.sequencer().shuffle(), 33);
    EXPECT_FLOAT_EQ(machine.getParameter(10015), 0.33f);

    machine.setParameter(10031, 1.0f);
    EXPECT_TRUE(machine.bank().track(3).muted);
    EXPECT_EQ(machine.getParameter(10031), 1.0f);
    machine.setParameter(10031, 0.0f);
    EXPECT_EQ(machine.getParameter(10031), 0.0f);
    machine.setParameter(10044 + 5, 1.0f);
    EXPECT_EQ(machine.getParameter(10049), 1.0f);
    EXPECT_EQ(machine.getParameter(10048), 0.0f);
}

TEST(DrumMachine, InstrumentParametersActOnTheSelectedTrack) {
    DrumMachine machine(nullptr);
    machine.setParameter(10001, 2.4f);
    EXPECT_EQ(machine.getParameter(10001), 2.0f);
    machine.setParameter(FilterFreq, 0.5f);
    const ParameterTable& table = machine.bank().table();
    EXPECT_FLOAT_EQ(machine.bank().value(2, FilterFreq), table.toValue(FilterFreq, 0.5f));
    EXPECT_NEAR(machine.getParameter(FilterFreq), 0.5f, 1e-5f);
    EXPECT_FLOAT_EQ(machine.getParameter(GenSynthesisType), table.toNormalized(GenSynthesisType, 2.0f))
        << "track 2's factory instrument is a physical model";
    machine.setParameter(GenSynthesisType, 0.0f);
    EXPECT_EQ(machine.bank().voice(2).generator().synthesisType(), kFilteredNoise);

    machine.bank().voice(2).setModuleValue(OutPan, 0.3f, ModuleParameter::kOffset);
    machine.setParameter(10080, static_cast<float>(OutPan));
    EXPECT_EQ(machine.bank().voice(2).moduleValue(OutPan, ModuleParameter::kOffset), 0.0f);
    machine.setParameter(10001, 4.0f);
    const SynthesisGenerator& generator = machine.bank().voice(4).generator();
    const int own = generator.synthesisType();
    machine.bank().voice(4).setModuleValue(GenSynthesisType, 3.0f, ModuleParameter::kOffset);
    EXPECT_EQ(generator.synthesisType(), kNoSynthesis);
    machine.setParameter(10080, 0.0f);
    EXPECT_EQ(generator.synthesisType(), own) << "back to the instrument's type";
}

TEST(MasterSection, SoftClipperKnees) {
    EXPECT_EQ(dsp::softClip(4.0f), 1.0f);
    EXPECT_EQ(dsp::softClip(-4.0f), -1.0f);
    EXPECT_FLOAT_EQ(dsp::softClip(1.0f), 28.0f / 36.0f);
    EXPECT_FLOAT_EQ(dsp::softClip(3.0f), 1.0f) << "continuous at the knee";
}

TEST(DrumMachine, DisplaysTheSelectedTracksValuesAndNames) {
    DrumMachine machine(nullptr);
    char text[DrumMachine::kDisplayLength];
    machine.setParameter(10001, 1.0f);
    machine.getParameterDisplay(EnvDecay, text);
    EXPECT_STREQ(text, "280 ms") << "the factory snare's decay";
    machine.getParameterDisplay(FXType, text);
    EXPECT_STREQ(text, "Room Reverb");
    machine.getParameterName(FXParam1, text);
    EXPECT_STREQ(text, "Decay") << "effect knobs take the effect's names";
    machine.getParameterName(OutPan, text);
    EXPECT_STREQ(text, "Pan");
    machine.bank().track(3).name = "Kicks\\Deep";
    machine.getParameterDisplay(10063, text);
    EXPECT_STREQ(text, "Deep");
    machine.model().kitName() = "Factory/Roomy";
    machine.getParameterDisplay(10077, text);
    EXPECT_STREQ(text, "Roomy");
    machine.getParameterDisplay(12345, text);
    EXPECT_STREQ(text, "");
}
