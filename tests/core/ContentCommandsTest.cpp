#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ContentTestRig.h"

using namespace trommik2;

namespace fs = std::filesystem;

namespace {

// Two blocks from a host whose position moves: the host plays.
void renderPlaying(DrumMachine& machine) {
    float left[256];
    float right[256];
    float* outputs[2] = {left, right};
    for (int block = 0; block < 2; ++block) {
        machine.setParameter(kParamHostPosition, static_cast<float>(block * 256));
        machine.processReplacing(nullptr, outputs, 256);
    }
}

using StartUp = ContentRig;
using ContentParameters = ContentRig;
using ContentCommands = ContentRig;
using StateSnapshot = ContentRig;

} // namespace

TEST_F(StartUp, WithoutAContentTreeTheFactoryStateStaysAndNothingIsSaid) {
    DrumMachine fresh(nullptr);
    std::string factory;
    fresh.saveState(factory);
    startUp(fresh);
    std::string after;
    fresh.saveState(after);
    EXPECT_EQ(after, factory);
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_EQ(fresh.model().setupName(), "");
    EXPECT_EQ(fresh.contentLibrary().list(kContentSetups)->size(), 0);
}

TEST_F(StartUp, LoadsTheConfiguredSetupFromTheSetupFolder) {
    machine_.sequencer().setShuffle(40);
    machine_.setParameter(10028 + 2, 1.0f);
    fs::create_directories(pathOf("House", kContentSetups));
    ASSERT_TRUE(machine_.setupDocument().saveSetupFile(pathOf("default.tm2set", kContentSetups)));
    machine_.sequencer().setShuffle(12);
    ASSERT_TRUE(machine_.setupDocument().saveSetupFile(pathOf("House/Deep.tm2set", kContentSetups)));

    DrumMachine first(nullptr);
    startUp(first);
    EXPECT_EQ(first.model().setupName(), "default");
    EXPECT_EQ(first.sequencer().shuffle(), 40);
    EXPECT_TRUE(first.bank().track(2).muted);
    EXPECT_EQ(first.contentLibrary().list(kContentSetups)->size(), 3) << "House, default, House\\Deep";

    writeFile(root_.file("Trommik2.ini"), "[Presets]\nDefaultSetup=House\\Deep\n");
    DrumMachine second(nullptr);
    startUp(second);
    EXPECT_EQ(second.model().setupName(), "House\\Deep");
    EXPECT_EQ(second.sequencer().shuffle(), 12);
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(ContentParameters, BrowsingAtTheFirstPatternOfAFolderLoadsNothingNew) {
    savePattern("Groove/A", 10);
    savePattern("Groove/B", 20);
    machine_.contentLibrary().refreshList(kContentPatterns);
    ASSERT_TRUE(machine_.contentLibrary().loadFile(kContentPatterns, pathOf("Groove/A.tm2pat", kContentPatterns)));
    machine_.sequencer().setShuffle(55);
    machine_.setParameter(10020, 21002.0f);
    EXPECT_EQ(machine_.model().patternName(), "Groove\\A");
    EXPECT_EQ(machine_.sequencer().shuffle(), 10) << "the same pattern again, not another one";
    machine_.setParameter(10021, 21002.4f);
    EXPECT_EQ(machine_.model().patternName(), "Groove\\B");
    EXPECT_EQ(machine_.sequencer().shuffle(), 20);
    machine_.setParameter(10021, 21002.0f);
    EXPECT_EQ(machine_.model().patternName(), "Groove\\B");
}

TEST_F(ContentParameters, InstrumentsAreBrowsedOnTheSelectedTrack) {
    machine_.setParameter(10001, 5.0f);
    fs::create_directories(pathOf("Kicks", kContentInstruments));
    machine_.bank().setValue(5, OutPan, -0.5f);
    ASSERT_TRUE(machine_.instrumentDocument().saveInstrumentFile(5, pathOf("Kicks/K1.tm2ins", kContentInstruments)));
    machine_.bank().setValue(5, OutPan, 0.5f);
    ASSERT_TRUE(machine_.instrumentDocument().saveInstrumentFile(5, pathOf("Kicks/K2.tm2ins", kContentInstruments)));
    machine_.contentLibrary().refreshList(kContentInstruments);
    machine_.setParameter(10020, 21000.0f);
    EXPECT_EQ(machine_.bank().track(5).name, "Kicks\\K1");
    EXPECT_FLOAT_EQ(machine_.bank().value(5, OutPan), -0.5f);
    machine_.setParameter(10021, 21000.0f);
    EXPECT_EQ(machine_.bank().track(5).name, "Kicks\\K2");
}

TEST_F(ContentParameters, SavingAsksForAPathAndReportsFailure) {
    fs::create_directories(pathOf("", kContentPatterns));
    dialogs_.answerPath(pathOf("Mine.tm2pat", kContentPatterns));
    machine_.setParameter(10019, 21002.0f);
    EXPECT_TRUE(fs::exists(pathOf("Mine.tm2pat", kContentPatterns)));
    EXPECT_EQ(machine_.model().patternName(), "Mine");
    ASSERT_EQ(dialogs_.saveRequests().size(), 1u);
    EXPECT_EQ(dialogs_.saveRequests()[0].title, "Save Pattern File");

    dialogs_.answerPath(pathOf("Nowhere/Mine.tm2pat", kContentPatterns));
    machine_.setParameter(10019, 21002.0f);
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "Error while saving the file.");
    EXPECT_EQ(dialogs_.messages()[0].caption, "Trommik 2");
    EXPECT_EQ(dialogs_.messages()[0].icon, MessageIcon::Stop);
}

TEST_F(ContentCommands, ListEntriesLoadAndAPreviewStartsTheHostOnlyWhenItIsNotPlaying) {
    savePattern("Groove/A", 10);
    savePattern("Groove/B", 20);
    machine_.contentLibrary().refreshList(kContentPatterns);
    const ContentList& patterns = *machine_.contentLibrary().list(kContentPatterns);
    const int a = patterns.find("Groove\\A");
    const int b = patterns.find("Groove\\B");

    EXPECT_FALSE(machine_.command(10025, 0, nullptr, 0, b)) << "a preview";
    EXPECT_EQ(machine_.model().patternName(), "Groove\\B");
    EXPECT_EQ(playRequests(), 1);
    EXPECT_TRUE(machine_.command(10025, 0, nullptr, 1, a));
    EXPECT_EQ(machine_.sequencer().shuffle(), 10);
    EXPECT_EQ(playRequests(), 1) << "a final choice does not start the host";

    renderPlaying(machine_);
    machine_.command(10025, 0, nullptr, 0, b);
    EXPECT_EQ(machine_.model().patternName(), "Groove\\B");
    EXPECT_EQ(playRequests(), 1) << "the host plays already";
    machine_.suspend();
    machine_.command(10025, 0, nullptr, 0, a);
    EXPECT_EQ(playRequests(), 2);

    machine_.command(10025, 0, nullptr, 0, patterns.entry(a).parent);
    machine_.command(10025, 0, nullptr, 0, 99);
    EXPECT_EQ(machine_.model().patternName(), "Groove\\A") << "a folder or no entry loads nothing";
    EXPECT_EQ(playRequests(), 2);
}

TEST_F(ContentCommands, APreviewedSampleIsHeardAndARemovedOneIsNot) {
    std::string sample = pathOf("Kicks/Deep.wav", kContentSamples);
    writeFile(sample, monoWave({300, 600, 900}));
    machine_.command(10027, 0, sample.c_str(), 0, 0);
    EXPECT_EQ(machine_.bank().track(0).samplePath, sample);
    EXPECT_EQ(playRequests(), 1);
    machine_.command(10027, 0, nullptr, 0, -1);
    EXPECT_EQ(machine_.bank().track(0).samplePath, "No Sample");
    machine_.command(10027, 0, "", 0, 0);
    EXPECT_EQ(playRequests(), 1);
}

TEST_F(StateSnapshot, TheEndOfADocumentEditRestoresTheStateOfItsBeginning) {
    ListProvider& lists = machine_.listProvider();
    machine_.sequencer().setShuffle(5);
    lists.beginEdit(10025);
    machine_.sequencer().setShuffle(77);
    lists.endEdit(10025);
    EXPECT_EQ(machine_.sequencer().shuffle(), 5);
    EXPECT_TRUE(refreshed(5006));

    refreshes_.clear();
    machine_.sequencer().setShuffle(77);
    lists.endEdit(10025);
    EXPECT_EQ(machine_.sequencer().shuffle(), 77) << "the snapshot was used up";
    EXPECT_FALSE(refreshed(5006));

    lists.beginEdit(10023);
    machine_.sequencer().setShuffle(30);
    lists.beginEdit(10013);
    lists.endEdit(10013);
    EXPECT_EQ(machine_.sequencer().shuffle(), 30) << "other controls leave the snapshot alone";
    lists.endEdit(10027);
    EXPECT_EQ(machine_.sequencer().shuffle(), 77);
}
