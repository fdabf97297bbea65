#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <content/WavLoader.h>
#include <core/DrumMachine.h>

#include "support/FileSupport.h"

using namespace trommik2;

namespace {

class TrackExchangeTest : public testing::Test {
  protected:
    TrackExchangeTest() : root_("exchange") { machine_.contentFolders().setRoot(root_.path().string()); }

    std::vector<float> values(int track) {
        std::vector<float> v;
        for (int i = 0; i < kParameterCount; ++i)
            v.push_back(machine_.bank().value(track, i));
        return v;
    }

    void giveSample(int track, const std::string& name, int frames) {
        std::string path = machine_.contentFolders().pathOf(name, kContentSamples);
        writeFile(path, monoWave(std::vector<int16_t>(static_cast<size_t>(frames), 1000)));
        ASSERT_TRUE(WavLoader::loadSample(path, machine_.bank().voice(track).generator().sample()));
        machine_.bank().track(track).samplePath = path;
    }

    int frames(int track) { return machine_.bank().voice(track).generator().sample().frameCount(); }

    TempFolder root_;
    DrumMachine machine_{nullptr};
    TrackExchange& exchange_ = machine_.trackExchange();
};

} // namespace

TEST_F(TrackExchangeTest, ExchangingSwapsInstrumentsButNotPatterns) {
    InstrumentBank& bank = machine_.bank();
    bank.track(0).name = "Kick";
    bank.track(3).name = "Cymbal";
    giveSample(0, "Kicks/Deep.wav", 10);
    giveSample(3, "Crash.wav", 20);
    machine_.model().knobSlots().set(0, 2, OutPan);
    machine_.model().knobSlots().set(3, 2, GenPMSize);
    machine_.model().knobSlots().set(0, 8, FilterQ);
    machine_.model().knobSlots().set(3, 8, EnvDecay);
    machine_.sequencer().track(0).setStep(4, 90);
    bank.track(3).muted = true;
    std::vector<float> kick = values(0);
    std::vector<float> cymbal = values(3);
    ASSERT_NE(kick, cymbal);

    ASSERT_TRUE(exchange_.exchangeInstruments(0, 3));
    EXPECT_EQ(values(0), cymbal);
    EXPECT_EQ(values(3), kick);
    EXPECT_EQ(bank.track(0).name, "Cymbal");
    EXPECT_EQ(bank.track(3).name, "Kick");
    EXPECT_EQ(frames(0), 20);
    EXPECT_EQ(frames(3), 10);
    EXPECT_EQ(bank.track(3).samplePath, machine_.contentFolders().pathOf("Kicks/Deep.wav", kContentSamples));
    EXPECT_EQ(machine_.model().knobSlots().parameter(0, 2), GenPMSize);
    EXPECT_EQ(machine_.model().knobSlots().parameter(3, 2), OutPan);
    EXPECT_EQ(machine_.model().knobSlots().parameter(0, 8), FilterQ) << "slots 6..9 stay";
    EXPECT_EQ(machine_.sequencer().track(0).velocity(4), 90) << "the pattern stays";
    EXPECT_FALSE(machine_.sequencer().track(3).hasSteps());
    EXPECT_TRUE(bank.track(3).muted);
    EXPECT_FALSE(bank.track(0).muted);
    EXPECT_FALSE(exchange_.exchangeInstruments(0, 16));
    EXPECT_EQ(values(0), cymbal);
}

TEST_F(TrackExchangeTest, APastedInstrumentTakesTheCopiedName) {
    EXPECT_FALSE(exchange_.hasInstrument());
    std::vector<float> before = values(5);
    EXPECT_FALSE(exchange_.pasteInstrument(5)) << "an empty clipboard does not parse";
    EXPECT_EQ(values(5), before);

    machine_.bank().track(2).name = "Ride";
    std::vector<float> copied = values(2);
    exchange_.copyInstrument(2);
    EXPECT_TRUE(exchange_.hasInstrument());
    machine_.bank().track(2).name = "changed after the copy";
    machine_.bank().setValue(2, OutPan, 0.5f);
    ASSERT_TRUE(exchange_.pasteInstrument(5));
    EXPECT_EQ(machine_.bank().track(5).name, "Ride");
    EXPECT_EQ(values(5), copied) << "the instrument as it was at the copy";
}

TEST_F(TrackExchangeTest, PastedTrackDataRebuildsTheMasksFromTheValues) {
    TrackPattern& from = machine_.sequencer().track(1);
    from.setStep(9, 64);
    from.setAutomationPoint(FilterFreq, 9, 500.0f);
    from.setAutomationPoint(OutPan, 10, 0.25f);
    from.setAutomationScale(OutPan, 0.5f);
    from.setVelocityRandom(0.125f);
    EXPECT_FALSE(exchange_.hasTrackData());
    EXPECT_FALSE(exchange_.pasteTrackData(6)) << "nothing copied yet";
    exchange_.copyTrackData(1);
    EXPECT_TRUE(exchange_.hasTrackData());

    TrackPattern& to = machine_.sequencer().track(6);
    to.setAutomationPoint(FilterFreq, 3, 900.0f);
    ASSERT_TRUE(exchange_.pasteTrackData(6));
    EXPECT_EQ(to.velocity(9), 64);
    EXPECT_TRUE(to.stepMask().test(9));
    EXPECT_EQ(to.automationValue(FilterFreq, 9), 500.0f);
    EXPECT_FALSE(to.automationMask(FilterFreq).test(3)) << "a 0.0 from the clipboard leaves no point";
    EXPECT_EQ(to.automationValue(FilterFreq, 3), 0.0f);
    EXPECT_EQ(to.automationScale(OutPan), 0.5f);
    EXPECT_EQ(to.velocityRandom(), 0.125f);
    EXPECT_EQ(to.position(2), from.position(2)) << "positions belong to the timing";
}

TEST_F(TrackExchangeTest, CombinedCommandsMoveInstrumentAndSteps) {
    machine_.bank().track(4).name = "Clap";
    machine_.sequencer().track(4).setStep(0, 100);
    exchange_.copyInstrumentAndTrackData(4);
    ASSERT_TRUE(exchange_.pasteInstrumentAndTrackData(11));
    EXPECT_EQ(machine_.bank().track(11).name, "Clap");
    EXPECT_EQ(values(11), values(4));
    EXPECT_EQ(machine_.sequencer().track(11).velocity(0), 100);
}
