#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <content/StepCodec.h>
#include <content/WavLoader.h>
#include <core/DrumMachine.h>

#include "support/FileSupport.h"

using namespace trommik2;

namespace {

// A drum machine whose content root is a temporary folder.
std::unique_ptr<DrumMachine> machineIn(const TempFolder& root) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    machine->contentFolders().setRoot(root.path().string());
    return machine;
}

// A value of the parameter's range that survives "%f" exactly: a 64th of the range.
float gridValue(const ParameterDescriptor& d, int step) {
    return d.minimum + (d.maximum - d.minimum) * static_cast<float>(step % 65) / 64.0f;
}

// Changes every field a setup carries, differently on every track.
void fillEverything(DrumMachine& m) {
    InstrumentBank& bank = m.bank();
    const ParameterTable& table = bank.table();
    for (int t = 0; t < 16; ++t) {
        bank.setValue(t, GenSynthesisType, static_cast<float>(t % 4));
        for (int i = 1; i < kParameterCount; ++i)
            bank.setValue(t, i, gridValue(table.descriptor(i), 7 * t + 3 * i));
        bank.track(t).name = "Track " + std::to_string(t);
        for (int slot = 0; slot < 6; ++slot)
            m.model().knobSlots().set(t, slot, (t + 5 * slot) % kParameterCount);
        if (t % 3 == 0) {
            std::string name = t % 2 ? "Kicks/Deep" + std::to_string(t) + ".wav" : "Snare" + std::to_string(t) + ".wav";
            std::string path = m.contentFolders().pathOf(name, kContentSamples);
            writeFile(path, monoWave({static_cast<int16_t>(t * 100), -1, 2, static_cast<int16_t>(-t)}));
            ASSERT_TRUE(WavLoader::loadSample(path, bank.voice(t).generator().sample()));
            bank.track(t).samplePath = path;
        }
        bank.track(t).muted = t % 5 == 1;
        bank.track(t).soloed = t % 7 == 2;
        TrackPattern& pattern = m.sequencer().track(t);
        pattern.clear();
        pattern.setVelocityRandom(0.0625f * t);
        for (int k = 0; k < 128; ++k)
            pattern.setStep(k, (k * 37 + t * 11) % 5 == 0 ? (k + t) % 128 : 0);
        for (int p = 2 + t % 3; p < kParameterCount; p += 4) {
            const ParameterDescriptor& d = table.descriptor(p);
            for (int k = 0; k < 128; ++k)
                pattern.setAutomationPoint(p, k,
                                           StepCodec::fromWord(static_cast<uint16_t>((k * 613 + p * 97 + t) % 65536),
                                                               d.automationMinimum, d.automationMaximum));
            pattern.setAutomationScale(p, 0.25f * (p % 8));
            pattern.setAutomationRandom(p, 0.03125f * (t + 1));
        }
    }
    m.sequencer().setShuffle(37);
    m.sequencer().setBars(3);
    m.setParameter(10000, 0.5f); // -18 dB
    m.model().kitName() = "Kits\\Mine";
    m.model().patternName() = "Groove";
    m.model().setupName() = "Live";
}

std::string stateOf(DrumMachine& m) {
    std::string text;
    EXPECT_TRUE(m.saveState(text));
    return text;
}

} // namespace

TEST(SavedState, AFreshMachineTakesOverEverythingTheStateCarries) {
    TempFolder root("saved-state");
    auto source = machineIn(root);
    fillEverything(*source);
    std::string first = stateOf(*source);

    auto target = machineIn(root);
    ASSERT_TRUE(target->loadState(first.c_str()));
    const InstrumentBank& a = source->bank();
    const InstrumentBank& b = target->bank();
    for (int t = 0; t < 16; ++t) {
        for (int i = 0; i < kParameterCount; ++i)
            ASSERT_EQ(a.value(t, i), b.value(t, i)) << "track " << t << " parameter " << a.table().key(i);
        EXPECT_EQ(a.track(t).name, b.track(t).name);
        EXPECT_EQ(a.track(t).samplePath, b.track(t).samplePath);
        const SampleModule& sa = a.voice(t).generator().sample();
        const SampleModule& sb = b.voice(t).generator().sample();
        ASSERT_EQ(sa.frameCount(), sb.frameCount()) << t;
        for (int f = 0; f < sa.frameCount(); ++f)
            ASSERT_EQ(sa.data()[f], sb.data()[f]);
        for (int slot = 0; slot < 6; ++slot)
            EXPECT_EQ(source->model().knobSlots().parameter(t, slot), target->model().knobSlots().parameter(t, slot));
        EXPECT_EQ(a.track(t).muted, b.track(t).muted);
        EXPECT_EQ(a.track(t).soloed, b.track(t).soloed);

        const TrackPattern& pa = source->sequencer().track(t);
        const TrackPattern& pb = target->sequencer().track(t);
        ASSERT_EQ(pa.velocityRandom(), pb.velocityRandom());
        for (int w = 0; w < 4; ++w)
            ASSERT_EQ(pa.stepMask().word(w), pb.stepMask().word(w));
        for (int p = 0; p < kParameterCount; ++p) {
            ASSERT_EQ(pa.automationScale(p), pb.automationScale(p));
            ASSERT_EQ(pa.automationRandom(p), pb.automationRandom(p));
            for (int w = 0; w < 4; ++w)
                ASSERT_EQ(pa.automationMask(p).word(w), pb.automationMask(p).word(w));
        }
        for (int k = 0; k < 128; ++k) {
            ASSERT_EQ(pa.velocity(k), pb.velocity(k));
            for (int p = 0; p < kParameterCount; ++p)
                ASSERT_EQ(pa.automationValue(p, k), pb.automationValue(p, k));
        }
    }
    EXPECT_EQ(target->sequencer().shuffle(), 37);
    EXPECT_EQ(target->sequencer().bars(), 3);
    EXPECT_FLOAT_EQ(b.masterVolume, a.masterVolume);
    EXPECT_EQ(target->model().kitName(), "Kits\\Mine");
    EXPECT_EQ(target->model().patternName(), "Groove");
    EXPECT_EQ(target->model().setupName(), "Live");
    EXPECT_EQ(stateOf(*target), first) << "a second save is byte-identical";
}

TEST(SavedState, TheFactoryStateSavesAgainUnchanged) {
    TempFolder root("factory-state");
    auto source = machineIn(root);
    std::string first = stateOf(*source);
    auto target = machineIn(root);
    ASSERT_TRUE(target->loadState(first.c_str()));
    EXPECT_EQ(stateOf(*target), first);
    EXPECT_EQ(target->bank().masterVolume, source->bank().masterVolume) << "0 dB reads back as the factory gain";
}

TEST(SavedState, SavingAppendsToTheStream) {
    DrumMachine machine(nullptr);
    std::string text = "host bytes";
    ASSERT_TRUE(machine.saveState(text));
    EXPECT_EQ(text.rfind("host bytes<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><setup ", 0), 0u);
}

TEST(SavedState, RefusedStatesChangeNothing) {
    DrumMachine machine(nullptr);
    machine.setParameter(10000, 0.25f);
    std::string before = stateOf(machine);
    for (const char* text : {"", "<setup volume=\"0\" />", "<preset owner=\"Trommik2\"><setup", "garbage"})
        EXPECT_FALSE(machine.loadState(text)) << text;
    EXPECT_EQ(stateOf(machine), before);
}

TEST(SavedState, TheStepResolutionTravelsWithThePattern) {
    DrumMachine machine(nullptr);
    EXPECT_EQ(machine.model().stepResolution(), 16) << "until an editor's grid says otherwise";
    std::string text = stateOf(machine);
    std::string edited = text;
    edited.replace(edited.find("resolution=\"16\""), 15, "resolution=\"32\"");
    ASSERT_TRUE(machine.loadState(edited.c_str()));
    EXPECT_EQ(machine.model().stepResolution(), 32);
    edited.replace(edited.find("resolution=\"32\""), 15, "resolution=\"12\"");
    ASSERT_TRUE(machine.loadState(edited.c_str()));
    EXPECT_EQ(machine.model().stepResolution(), 32) << "a resolution the grid cannot show is ignored";
}
