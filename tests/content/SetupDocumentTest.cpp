#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cmath>
#include <string>

#include <tinyxml.h>

#include <content/SetupDocument.h>

#include "ContentTestSupport.h"

using namespace trommik2;

namespace {

std::string setup(const std::string& attributes, const std::string& children = "") {
    return "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><setup version=\"1.000000\" " + attributes + ">" +
           children + "</setup></preset>";
}

class SetupDocumentTest : public testing::Test {
  protected:
    SetupDocumentTest() : root_("setup-doc"), host_(root_.path()), document_(host_) {}

    std::string state() {
        std::string text;
        document_.setupToText(text);
        return text;
    }

    TempFolder root_;
    TestDocumentHost host_;
    SetupDocument document_;
};

} // namespace

TEST_F(SetupDocumentTest, VolumeMuteAndSoloAreRead) {
    host_.model().bank().masterVolume = 1.0f;
    ASSERT_TRUE(document_.setupFromText(setup("volume=\"0.000000\" mute=\"5\" solo=\"32770\"").c_str()));
    EXPECT_FLOAT_EQ(host_.model().bank().masterVolume, std::pow(10.0f, 0.3f));
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ(host_.model().bank().track(t).muted, t == 0 || t == 2) << t;
        EXPECT_EQ(host_.model().bank().track(t).soloed, t == 1 || t == 15) << t;
    }
    ASSERT_TRUE(document_.setupFromText(setup("volume=\"-26\"").c_str()));
    EXPECT_FLOAT_EQ(host_.model().bank().masterVolume, 0.1f);
    EXPECT_FALSE(host_.model().bank().track(0).muted) << "an absent mask is 0";
    EXPECT_FALSE(host_.model().bank().track(15).soloed);
}

TEST_F(SetupDocumentTest, MutingATrackThatIsNotSoloedSilencesIt) {
    InstrumentBank& bank = host_.model().bank();
    bank.track(0).soloed = true;
    // A modulation offset stands for a sounding voice: silencing resets it.
    bank.voice(0).setModuleValue(OutPan, 0.5f, ModuleParameter::kOffset);
    bank.voice(2).setModuleValue(OutPan, 0.5f, ModuleParameter::kOffset);
    ASSERT_TRUE(document_.setupFromText(setup("mute=\"5\"").c_str()));
    EXPECT_EQ(bank.voice(0).moduleValue(OutPan, ModuleParameter::kOffset), 0.5f)
        << "soloed before the load: keeps sounding";
    EXPECT_EQ(bank.voice(2).moduleValue(OutPan, ModuleParameter::kOffset), 0.0f);
}

TEST_F(SetupDocumentTest, HostileVolumesStayFiniteAndAudible) {
    ASSERT_TRUE(document_.setupFromText(setup("volume=\"1e300\"").c_str()));
    EXPECT_TRUE(std::isfinite(host_.model().bank().masterVolume));
    ASSERT_TRUE(document_.setupFromText(setup("volume=\"-inf\"").c_str()));
    EXPECT_GT(host_.model().bank().masterVolume, 0.0f);
    ASSERT_TRUE(document_.setupFromText(setup("volume=\"nan\"").c_str()));
    EXPECT_FLOAT_EQ(host_.model().bank().masterVolume, std::pow(10.0f, 0.3f)) << "not a number counts as absent";
}

TEST_F(SetupDocumentTest, TheFactoryVolumeWritesZero) {
    std::string text = state();
    EXPECT_NE(text.find("<setup version=\"1.000000\" name=\"\" volume=\"0.000000\" mute=\"0\" solo=\"0\"><drumkit "),
              std::string::npos);
    EXPECT_LT(text.find("<drumkit "), text.find("<pattern ")) << "kit first, then pattern";
}

TEST_F(SetupDocumentTest, TextWithoutASetupChangesNothing) {
    host_.model().bank().masterVolume = 0.5f;
    host_.model().setupName() = "kept";
    std::string before = state();
    std::string whole = setup("name=\"x\" volume=\"-20\" mute=\"65535\"");
    const std::string refused[] = {
        "",
        "<setup version=\"1.000000\" name=\"x\" volume=\"-20\" mute=\"65535\" />",
        whole.substr(0, whole.size() - 12),
        "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><pattern /></preset>",
        "<preset><setup volume=\"-20\"" + std::string(50000, ' '),
        std::string(300000, '<') + "preset>",
        "<preset>" + std::string(10000, 'x') + "<setup></preset>",
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(document_.setupFromText(text.c_str())) << text.substr(0, 60);
    EXPECT_FALSE(document_.setupFromText(nullptr));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(host_.setupsLoaded, 0);
}

TEST_F(SetupDocumentTest, DeeplyNestedSetupsAreRefusedWithoutCrashing) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<x a=\"1\">";
    std::string before = state();
    EXPECT_FALSE(document_.setupFromText(setup("volume=\"-3\"", deep).c_str()));
    EXPECT_EQ(state(), before);
}

TEST_F(SetupDocumentTest, MissingChildrenLeaveTheirPartsAlone) {
    host_.model().bank().track(3).name = "Tom";
    host_.model().sequencer().track(5).setStep(7, 99);
    ASSERT_TRUE(document_.setupFromText(setup("name=\"Only volume\" volume=\"-6\"", "<unknown /><drumkit />").c_str()));
    EXPECT_EQ(host_.model().setupName(), "Only volume");
    EXPECT_EQ(host_.model().bank().track(3).name, "Tom") << "a kit without instruments keeps them";
    EXPECT_EQ(host_.model().sequencer().track(5).velocity(7), 99) << "no pattern element, no pattern change";
    EXPECT_FLOAT_EQ(host_.model().bank().masterVolume, 1.0f);
}

TEST_F(SetupDocumentTest, HugeAttributeValuesAreCutOrClamped) {
    std::string name(1 << 20, 'n');
    std::string text = setup("name=\"" + name + "\" mute=\"" + std::string(5000, '9') + "\"",
                             "<pattern name=\"" + name + "\" numbars=\"" + std::string(400, '7') +
                                 "\"><tracks><track number=\"" + std::string(1000, '5') + "\"><velocity>" +
                                 std::string(1 << 16, 'F') + "</velocity></track></tracks></pattern>");
    ASSERT_TRUE(document_.setupFromText(text.c_str()));
    EXPECT_EQ(host_.model().setupName().size(), 259u);
    EXPECT_EQ(host_.model().patternName().size(), 259u);
    EXPECT_EQ(host_.model().sequencer().bars(), 4);
    EXPECT_EQ(host_.model().sequencer().track(15).velocity(127), 255);
    EXPECT_TRUE(host_.model().bank().track(0).muted) << "the largest int has every track's bit";
}

TEST_F(SetupDocumentTest, FilesLoadUnderTheirNamesAndSilenceThePreviousSetup) {
    std::string path = host_.contentFolders().pathOf("Live\\Set.tm2set", kContentSetups);
    writeFile(path, setup("name=\"inside\" volume=\"-12\"", "<drumkit name=\"Kit\"><instruments /></drumkit>"));
    ASSERT_TRUE(document_.loadSetupFile(path, false));
    EXPECT_EQ(host_.model().setupName(), "Live\\Set");
    EXPECT_EQ(host_.model().kitName(), "Kit");
    EXPECT_EQ(host_.setupsLoaded, 1);
    EXPECT_EQ(host_.refreshes, std::vector<int>{5006});
    host_.refreshes.clear();
    host_.model().kitName() = "mine";
    ASSERT_TRUE(document_.loadSetupFile(path, true));
    EXPECT_EQ(host_.model().kitName(), "mine") << "names kept";
    EXPECT_EQ(host_.setupsLoaded, 2);
    EXPECT_TRUE(host_.refreshes.empty());
    EXPECT_FALSE(document_.loadSetupFile(root_.file("none.tm2set"), false));
    EXPECT_EQ(host_.setupsLoaded, 2);
}

TEST_F(SetupDocumentTest, ASavedFileReadsBackAsTheSameState) {
    host_.model().bank().masterVolume = 0.25f;
    host_.model().bank().track(6).muted = true;
    host_.model().bank().track(9).soloed = true;
    host_.model().sequencer().setBars(3);
    std::string path = host_.contentFolders().pathOf("Mine.tm2set", kContentSetups);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(document_.saveSetupFile(path));
    EXPECT_EQ(host_.model().setupName(), "Mine");
    EXPECT_EQ(readFile(path).rfind("<?xml version=\"1.0\" ?>\n<preset owner=\"Trommik2\">\n    <setup ", 0), 0u)
        << "files are indented";
    std::string saved = state();

    TestDocumentHost other(root_.path());
    SetupDocument reader(other);
    ASSERT_TRUE(reader.loadSetupFile(path, false));
    std::string text;
    reader.setupToText(text);
    EXPECT_EQ(text, saved);
}

// The saves below fail for root too: a folder where the file should go, and a
// file-size limit that stops the write half-way.
TEST_F(SetupDocumentTest, AFailedSaveLeavesThePreviousFileAndName) {
    std::string folder = host_.contentFolders().pathOf("Taken.tm2set", kContentSetups);
    std::filesystem::create_directories(folder);
    host_.model().setupName() = "before";
    EXPECT_FALSE(document_.saveSetupFile(folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(host_.model().setupName(), "before");

    std::string path = host_.contentFolders().pathOf("Old.tm2set", kContentSetups);
    writeFile(path, "the previous file");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool result = document_.saveSetupFile(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_FALSE(result);
    EXPECT_EQ(readFile(path), "the previous file");
    EXPECT_EQ(host_.model().setupName(), "before");
    EXPECT_TRUE(host_.refreshes.empty());
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}
