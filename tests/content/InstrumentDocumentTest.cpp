#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <tinyxml.h>

#include <content/InstrumentDocument.h>
#include <content/WavLoader.h>
#include <platform/ScriptedDialogs.h>

#include "ContentTestSupport.h"

using namespace trommik2;

namespace {

const char* const kHead = "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\">";

// A compact instrument document with the given children.
std::string instrument(const std::string& attributes, const std::string& children) {
    return std::string(kHead) + "<instrument version=\"1.000000\" " + attributes + ">" + children +
           "</instrument></preset>";
}

std::string params(const std::string& entries) { return "<params>" + entries + "</params>"; }

std::string param(const char* id, const char* value) {
    return std::string("<param id=\"") + id + "\" value=\"" + value + "\" />";
}

class InstrumentDocumentTest : public testing::Test {
  protected:
    InstrumentDocumentTest() : root_("instrument-doc"), host_(root_.path()), document_(host_) {
        Dialogs::install(&dialogs_);
    }
    ~InstrumentDocumentTest() override { Dialogs::install(nullptr); }

    std::vector<float> values(int track) {
        std::vector<float> v;
        for (int i = 0; i < kParameterCount; ++i)
            v.push_back(host_.model().bank().value(track, i));
        return v;
    }

    // Puts a sample file below the sample folder and loads it into a track as the editor would.
    void giveSample(int track, const std::string& name, const std::vector<int16_t>& words) {
        std::string path = host_.samplePath(name);
        writeFile(path, monoWave(words));
        ASSERT_TRUE(WavLoader::loadSample(path, host_.model().bank().voice(track).generator().sample()));
        host_.model().bank().track(track).samplePath = path;
    }

    const SampleModule& player(int track) { return host_.model().bank().voice(track).generator().sample(); }

    TempFolder root_;
    TestDocumentHost host_;
    InstrumentDocument document_;
    ScriptedDialogs dialogs_;
};

} // namespace

TEST_F(InstrumentDocumentTest, AFileHasTheFormatsExactShape) {
    InstrumentBank& bank = host_.model().bank();
    bank.setValue(0, GenSynthesisType, 3); // no synthesis: the noise parts keep the factory values
    const std::pair<int, float> set[] = {
        {GenWavTune, -12.5f},
        {GenWavDirection, 1},
        {GenWavShapeAmpEnv, 0.75f},
        {GenWavShapePitchEnv, 0.125f},
        {GenWavLevel, 0.5f},
        {GenMixSynthesisWav, 1},
        {EnvAttack, 2.5f},
        {EnvDecay, 450},
        {EnvCurveShape, 0.25f},
        {EnvVelocityShape, 0.5f},
        {EnvAMSpeed, 0},
        {FilterType, 3},
        {FilterFreq, 1234.5f},
        {FilterQ, 0.375f},
        {FilterDriveDB, -3},
        {FilterEnvShape, 0.5f},
        {FilterEnvAmt, 0.25f},
        {FXType, 2},
        {FXParam1, 0.1f},
        {FXParam2, 0.2f},
        {FXParam3, 0.3f},
        {FXParam4, 0.4f},
        {FXActive, 1},
        {OutLevelDB, -6},
        {OutPan, -0.5f},
    };
    for (auto [index, value] : set)
        bank.setValue(0, index, value);
    const int slots[] = {FilterFreq, EnvDecay, GenWavTune, OutPan, FXParam1, 60};
    for (int slot = 0; slot < 6; ++slot)
        host_.model().knobSlots().set(0, slot, slots[slot]);
    giveSample(0, "Kicks/Deep.wav", {1, 2, 3});
    std::string path = host_.contentFolders().pathOf("Kicks\\Deep.tm2ins", kContentInstruments);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());

    ASSERT_TRUE(document_.saveInstrumentFile(0, path));

    const std::string expected = readFile(std::string(TROMMIK2_TEST_DATA) + "/content/Deep.tm2ins");
    EXPECT_EQ(readFile(path), expected);
    EXPECT_EQ(bank.track(0).name, "Kicks\\Deep") << "a saved instrument is named after its place";
    EXPECT_EQ(host_.refreshes, std::vector<int>{5004});
}

TEST_F(InstrumentDocumentTest, TextIsCompactAndReadsBackIntoAnotherTrack) {
    giveSample(2, "Kicks/Deep.wav", {100, -200, 300, -400});
    host_.model().bank().track(2).name = "Two";
    host_.model().knobSlots().set(2, 3, GenPMSize);
    std::string text = "previous|";
    ASSERT_TRUE(document_.instrumentToText(2, text));
    EXPECT_EQ(text.rfind("previous|<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><instrument version=\"1.000000\" "
                         "name=\"Two\"><params><param id=\"GenSynthesisType\" value=\"2.000000\" />",
                         0),
              0u)
        << text.substr(0, 200);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_NE(text.find("<sample name=\"Kicks\\Deep.wav\" />"), std::string::npos);

    ASSERT_TRUE(document_.instrumentFromText(7, text.c_str() + 9));
    EXPECT_EQ(values(7), values(2));
    EXPECT_EQ(host_.model().bank().track(7).name, "Two");
    EXPECT_EQ(host_.model().bank().track(7).samplePath, host_.samplePath("Kicks/Deep.wav"));
    ASSERT_EQ(player(7).frameCount(), 4);
    EXPECT_EQ(player(7).data()[1], -200.0f / 32767.0f);
    EXPECT_EQ(host_.model().knobSlots().parameter(7, 3), GenPMSize);
    EXPECT_TRUE(host_.refreshes.empty()) << "text reads tell no editor";
}

TEST_F(InstrumentDocumentTest, OnlyTheMentionedParametersChange) {
    std::vector<float> before = values(4);
    ASSERT_TRUE(document_.instrumentFromText(4, instrument("name=\"Pan\"", params(param("OutPan", "0.25"))).c_str()));
    std::vector<float> after = values(4);
    EXPECT_EQ(after[OutPan], 0.25f);
    after[OutPan] = before[OutPan];
    EXPECT_EQ(after, before);
    EXPECT_EQ(host_.model().bank().track(4).name, "Pan");
}

TEST_F(InstrumentDocumentTest, ValuesAreClampedToTheirRanges) {
    ASSERT_TRUE(document_.instrumentFromText(
        1,
        instrument("", params(param("FilterFreq", "99999") + param("EnvAttack", "-5") + param("OutLevelDB", "inf") +
                              param("FilterQ", "nan") + param("EnvDecay", "1e400") + param("OutPan", "-1e999") +
                              param("FilterDriveDB", "loud") + param("FilterEnvAmt", std::string(100000, '9').c_str())))
            .c_str()));
    const InstrumentBank& bank = host_.model().bank();
    EXPECT_EQ(bank.value(1, FilterFreq), 18000.0f);
    EXPECT_EQ(bank.value(1, EnvAttack), 0.1f);
    EXPECT_EQ(bank.value(1, OutLevelDB), 24.0f);
    EXPECT_EQ(bank.value(1, FilterQ), 0.0f) << "not a number reads as 0";
    EXPECT_EQ(bank.value(1, EnvDecay), 20000.0f);
    EXPECT_EQ(bank.value(1, OutPan), -1.0f);
    EXPECT_EQ(bank.value(1, FilterDriveDB), 0.0f);
    EXPECT_EQ(bank.value(1, FilterEnvAmt), bank.table().descriptor(FilterEnvAmt).maximum);
}

TEST_F(InstrumentDocumentTest, UnknownKeysAreSkipped) {
    std::vector<float> before = values(1);
    int slot0 = host_.model().knobSlots().parameter(1, 0);
    ASSERT_TRUE(document_.instrumentFromText(
        1, instrument("name=\"x\"", params(param("Bogus", "2") + param("outpan", "1") + "<param value=\"3\" />") +
                                        "<ctrl_assign><ctrl idx=\"0\" param=\"Bogus\" /></ctrl_assign>")
               .c_str()));
    EXPECT_EQ(values(1), before) << "an unknown key does not set the synthesis type";
    EXPECT_EQ(host_.model().knobSlots().parameter(1, 0), slot0);
}

TEST_F(InstrumentDocumentTest, KnobSlotsZeroToNineAreRead) {
    ASSERT_TRUE(document_.instrumentFromText(
        0, instrument("", "<ctrl_assign><ctrl idx=\"7\" param=\"OutPan\" /><ctrl idx=\"10\" param=\"FilterQ\" />"
                          "<ctrl idx=\"-1\" param=\"FilterQ\" /><ctrl param=\"FilterQ\" />"
                          "<ctrl idx=\"2\" param=\"GenWavLevel\" /></ctrl_assign>")
               .c_str()));
    KnobSlots defaults;
    EXPECT_EQ(host_.model().knobSlots().parameter(0, 7), OutPan) << "writers stop at 5, readers do not";
    EXPECT_EQ(host_.model().knobSlots().parameter(0, 2), GenWavLevel);
    for (int slot : {0, 1, 3, 4, 5, 6, 8, 9})
        EXPECT_EQ(host_.model().knobSlots().parameter(0, slot), defaults.parameter(0, slot)) << slot;
}

TEST_F(InstrumentDocumentTest, AShortSampleNameRemovesTheSample) {
    giveSample(3, "Snare.wav", {5, 6, 7, 8, 9, 10});
    ASSERT_TRUE(document_.instrumentFromText(3, instrument("", "<sample name=\".wav\" />").c_str()));
    EXPECT_EQ(player(3).frameCount(), 0);
    EXPECT_EQ(player(3).data(), nullptr);
    EXPECT_EQ(host_.model().bank().track(3).samplePath, "No Sample");
    std::string text;
    document_.instrumentToText(3, text);
    EXPECT_NE(text.find("<sample name=\"\" />"), std::string::npos) << "a track without sample writes an empty name";

    giveSample(3, "Snare.wav", {5, 6, 7, 8, 9, 10});
    ASSERT_TRUE(document_.instrumentFromText(3, instrument("", "<sample />").c_str()));
    EXPECT_EQ(player(3).frameCount(), 0) << "no name is the empty name";
    giveSample(3, "Snare.wav", {5, 6, 7, 8, 9, 10});
    ASSERT_TRUE(document_.instrumentFromText(3, instrument("", "").c_str()));
    EXPECT_EQ(player(3).frameCount(), 6) << "without a sample element the sample stays";
}

TEST_F(InstrumentDocumentTest, ASampleThatDoesNotLoadLeavesThePreviousOne) {
    giveSample(3, "Snare.wav", {5, 6, 7});
    const float* before = player(3).data();
    ASSERT_TRUE(document_.instrumentFromText(3, instrument("", "<sample name=\"Gone\\Missing.wav\" />").c_str()));
    EXPECT_EQ(player(3).data(), before);
    EXPECT_EQ(host_.model().bank().track(3).samplePath, host_.samplePath("Snare.wav"));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "Can't open WAV file '" + host_.samplePath("Gone/Missing.wav") + "'.");
}

TEST_F(InstrumentDocumentTest, ForwardSlashesInSampleNamesAreAccepted) {
    writeFile(host_.samplePath("Kicks/Deep.wav"), monoWave({1, 2}));
    ASSERT_TRUE(document_.instrumentFromText(0, instrument("", "<sample name=\"Kicks/Deep.wav\" />").c_str()));
    EXPECT_EQ(player(0).frameCount(), 2);
    std::string text;
    document_.instrumentToText(0, text);
    EXPECT_NE(text.find("<sample name=\"Kicks\\Deep.wav\" />"), std::string::npos) << "written with backslashes";
}

TEST_F(InstrumentDocumentTest, NamesAreTakenUnlessKept) {
    host_.model().bank().track(5).name = "old";
    TiXmlDocument parsed;
    parsed.Parse(instrument("name=\"new\"", "").c_str());
    const TiXmlElement* element = parsed.FirstChildElement("preset")->FirstChildElement("instrument");
    ASSERT_TRUE(document_.readInstrument(*element, 5, true));
    EXPECT_EQ(host_.model().bank().track(5).name, "old");
    ASSERT_TRUE(document_.instrumentFromText(5, instrument("", "").c_str()));
    EXPECT_EQ(host_.model().bank().track(5).name, "") << "a missing name is the empty name";
    ASSERT_TRUE(document_.instrumentFromText(5, instrument("name=\"" + std::string(1000, 'n') + "\"", "").c_str()));
    EXPECT_EQ(host_.model().bank().track(5).name, std::string(259, 'n'));
    EXPECT_FALSE(document_.readInstrument(*element, 16, false));
    EXPECT_FALSE(document_.readInstrument(*element, -1, false));
}

TEST_F(InstrumentDocumentTest, ReadingRestartsTheInstrument) {
    InstrumentVoice& voice = host_.model().bank().voice(0);
    voice.setModuleValue(FilterFreq, 500.0f, ModuleParameter::kOffset);
    voice.setModuleValue(OutPan, 0.5f, ModuleParameter::kOffset);
    ASSERT_TRUE(document_.instrumentFromText(0, instrument("", "").c_str()));
    EXPECT_EQ(voice.moduleValue(FilterFreq, ModuleParameter::kOffset), 0.0f);
    EXPECT_EQ(voice.moduleValue(OutPan, ModuleParameter::kOffset), 0.0f);
}

TEST_F(InstrumentDocumentTest, FilesLoadUnderTheirNames) {
    std::string path = host_.contentFolders().pathOf("Toms\\Low.tm2ins", kContentInstruments);
    writeFile(path, instrument("name=\"inside\"", params(param("OutPan", "0.5"))));
    ASSERT_TRUE(document_.loadInstrumentFile(6, path, false));
    EXPECT_EQ(host_.model().bank().track(6).name, "Toms\\Low");
    EXPECT_EQ(host_.model().bank().value(6, OutPan), 0.5f);
    EXPECT_EQ(host_.refreshes, std::vector<int>{5004});
    host_.refreshes.clear();
    ASSERT_TRUE(document_.loadInstrumentFile(6, path, true));
    EXPECT_EQ(host_.model().bank().track(6).name, "Toms\\Low");
    EXPECT_TRUE(host_.refreshes.empty());
}

TEST_F(InstrumentDocumentTest, BrokenDocumentsChangeNothing) {
    std::vector<float> before = values(0);
    std::string name = host_.model().bank().track(0).name;
    std::string whole = instrument("name=\"x\"", params(param("OutPan", "1")));
    const std::string broken[] = {
        "",
        whole.substr(0, whole.size() / 2),
        "<instrument name=\"x\"><params><param id=\"OutPan\" value=\"1\" /></params></instrument>",
        std::string(kHead) + "<drumkit /></preset>",
        "<preset owner=\"Trommik2\">" + std::string(100000, '<'),
        "not xml at all",
    };
    for (const std::string& text : broken) {
        EXPECT_FALSE(document_.instrumentFromText(0, text.c_str())) << text.substr(0, 80);
        EXPECT_EQ(values(0), before);
        EXPECT_EQ(host_.model().bank().track(0).name, name);
    }
    EXPECT_FALSE(document_.instrumentFromText(0, nullptr));
    EXPECT_FALSE(document_.loadInstrumentFile(0, root_.file("missing.tm2ins"), false));
    EXPECT_EQ(host_.model().bank().track(0).name, name);
}

namespace {

// Counts messages from any thread.
class CountingDialogs : public Dialogs {
  public:
    Answer message(const std::string&, const std::string&, MessageIcon, bool) override {
        ++shown;
        return Answer::Ok;
    }
    bool saveFile(const SaveRequest&, std::string*) override { return false; }
    bool chooseFolder(const std::string&, const std::string&, std::string*) override { return false; }

    std::atomic<int> shown{0};
};

} // namespace

TEST_F(InstrumentDocumentTest, TheSampleFileIsReadBeforeTheProcessLockIsTaken) {
    CountingDialogs dialogs;
    Dialogs::install(&dialogs);
    std::string text = instrument("", params(param("OutPan", "0.75")) + "<sample name=\"Missing.wav\" />");
    std::unique_lock<ProcessLock> rendering(host_.processLock());
    std::atomic<bool> done{false};
    std::thread reader([&] {
        document_.instrumentFromText(0, text.c_str());
        done = true;
    });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (dialogs.shown == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(dialogs.shown, 1) << "the file was tried while the audio thread held the lock";
    EXPECT_FALSE(done) << "the values wait for the lock";
    EXPECT_NE(host_.model().bank().value(0, OutPan), 0.75f);
    rendering.unlock();
    reader.join();
    EXPECT_EQ(host_.model().bank().value(0, OutPan), 0.75f);
    Dialogs::install(&dialogs_);
}
