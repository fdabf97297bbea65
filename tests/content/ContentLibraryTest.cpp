#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <content/ContentLibrary.h>
#include <content/InstrumentDocument.h>
#include <content/PatternDocument.h>
#include <platform/ScriptedDialogs.h>

#include "ContentTestSupport.h"

using namespace trommik2;

namespace fs = std::filesystem;

namespace {

class ContentLibraryTest : public testing::Test {
  protected:
    ContentLibraryTest()
        : root_("content-library"), outside_("content-outside"), host_(root_.path()), library_(host_),
          documents_(host_) {
        Dialogs::install(&dialogs_);
    }
    ~ContentLibraryTest() override { Dialogs::install(nullptr); }

    std::string pathOf(const std::string& name, int kind) { return host_.contentFolders().pathOf(name, kind); }
    std::string configFile(const std::string& name) { return root_.file("Trommik2/config/" + name); }
    float pan(int track) { return host_.model().bank().value(track, OutPan); }
    const std::string& name(int track) { return host_.model().bank().track(track).name; }

    // An instrument file whose pan tells it apart.
    void writeInstrument(const std::string& path, float panValue) {
        host_.model().bank().setValue(15, OutPan, panValue);
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_TRUE(documents_.saveInstrumentFile(15, path));
    }

    void writeImportTemplate() { writeInstrument(configFile(ContentLibrary::kAutoImportTemplate), -0.75f); }

    std::string outsideSample(const std::vector<int16_t>& words) {
        std::string path = outside_.file("x/Snare.wav");
        writeFile(path, monoWave(words));
        return path;
    }

    TempFolder root_;
    TempFolder outside_;
    ScriptedDialogs dialogs_;
    TestDocumentHost host_;
    ContentLibrary library_;
    InstrumentDocument documents_;
};

} // namespace

TEST_F(ContentLibraryTest, BrowsingLoadsTheNeighboursOfTheCurrentItemWithinItsFolder) {
    writeInstrument(pathOf("Kicks/A.tm2ins", kContentInstruments), -0.5f);
    writeInstrument(pathOf("Kicks/B.TM2INS", kContentInstruments), 0.5f);
    writeInstrument(pathOf("Top.tm2ins", kContentInstruments), 0.0f);
    writeFile(pathOf("Kicks/C.tm2ins.bak", kContentInstruments), "not listed");
    library_.refreshList(kContentInstruments);
    EXPECT_EQ(library_.list(kContentInstruments)->size(), 4);

    host_.model().bank().selectedTrack = 2;
    ASSERT_TRUE(library_.loadFile(kContentInstruments, pathOf("Kicks/A.tm2ins", kContentInstruments)));
    EXPECT_EQ(name(2), "Kicks\\A");
    EXPECT_TRUE(library_.browse(kContentInstruments, false));
    EXPECT_EQ(name(2), "Kicks\\B") << "the upper-case extension is listed";
    EXPECT_FLOAT_EQ(pan(2), 0.5f);

    host_.model().bank().setValue(2, OutPan, 0.9f);
    EXPECT_TRUE(library_.browse(kContentInstruments, false));
    EXPECT_EQ(name(2), "Kicks\\B") << "next at the end of a sub-folder reloads the same item";
    EXPECT_FLOAT_EQ(pan(2), 0.5f);
    EXPECT_TRUE(library_.browse(kContentInstruments, true));
    EXPECT_EQ(name(2), "Kicks\\A");
    EXPECT_FLOAT_EQ(pan(1), host_.model().bank().value(1, OutPan)) << "other tracks untouched";
    EXPECT_FALSE(library_.browse(kContentSamples, false));
}

TEST_F(ContentLibraryTest, TemplatesNameTheInstrumentAndADefaultOneIsNotBrowsed) {
    writeInstrument(pathOf("Only.tm2ins", kContentInstruments), 0.25f);
    writeInstrument(configFile(ContentLibrary::kDefaultInstrumentTemplate), -0.25f);
    library_.refreshList(kContentInstruments);
    ASSERT_TRUE(library_.loadTemplate(4, ContentLibrary::kDefaultInstrumentTemplate, "default"));
    EXPECT_EQ(name(4), "default");
    EXPECT_FLOAT_EQ(pan(4), -0.25f);
    EXPECT_EQ(host_.refreshes.back(), kRefreshInstruments);

    host_.model().bank().selectedTrack = 4;
    EXPECT_FALSE(library_.browse(kContentInstruments, false));
    EXPECT_FALSE(library_.browse(kContentInstruments, true));
    EXPECT_EQ(name(4), "default");
    EXPECT_FLOAT_EQ(pan(4), -0.25f) << "browsing found no current item and did nothing";
    EXPECT_TRUE(dialogs_.messages().empty());

    EXPECT_FALSE(library_.loadTemplate(4, ContentLibrary::kEmptyInstrumentTemplate, ""));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "File Trommik2\\config\\EmptyInstrumentTemplate.tm2ins not found.");
    EXPECT_EQ(dialogs_.messages()[0].caption, "Trommik 2");
    EXPECT_EQ(dialogs_.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(name(4), "default");
}

TEST_F(ContentLibraryTest, SaveDialogProposesTheCurrentFolderAndName) {
    host_.model().bank().track(0).name = "Kicks\\Deep";
    SaveRequest request = library_.saveRequest(kContentInstruments);
    EXPECT_EQ(request.fileName, "Deep");
    EXPECT_EQ(request.folder, root_.file("Trommik2/Instruments/")) << "Kicks does not exist yet";
    fs::create_directories(pathOf("Kicks", kContentInstruments));
    request = library_.saveRequest(kContentInstruments);
    EXPECT_EQ(request.folder, root_.file("Trommik2/Instruments/Kicks/"));
    EXPECT_EQ(request.title, "Save Instrument File");
    EXPECT_EQ(request.filterDescription, "Trommik2 instrument (*.tm2ins)");
    EXPECT_EQ(request.filterPattern, "*.tm2ins");
    EXPECT_EQ(request.extension, "tm2ins");
    host_.model().patternName() = "Groove";
    EXPECT_EQ(library_.saveRequest(kContentPatterns).fileName, "Groove");
    EXPECT_EQ(library_.saveRequest(kContentPatterns).folder, root_.file("Trommik2/Patterns/"));
}

TEST_F(ContentLibraryTest, SavingWithTheDialogSavesRescansOrReports) {
    host_.model().patternName() = "Old";
    EXPECT_FALSE(library_.saveWithDialog(kContentPatterns)) << "cancelled";
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_FALSE(fs::exists(pathOf("", kContentPatterns)));

    fs::create_directories(pathOf("House", kContentPatterns));
    dialogs_.answerPath(pathOf("House/Deep", kContentPatterns));
    ASSERT_TRUE(library_.saveWithDialog(kContentPatterns));
    EXPECT_TRUE(fs::exists(pathOf("House/Deep.tm2pat", kContentPatterns))) << "the default extension is added";
    EXPECT_EQ(host_.model().patternName(), "House\\Deep");
    EXPECT_NE(library_.list(kContentPatterns)->find("House\\Deep"), ContentList::kNone) << "rescanned";

    dialogs_.answerPath(pathOf("Missing/Deep.tm2pat", kContentPatterns));
    EXPECT_FALSE(library_.saveWithDialog(kContentPatterns));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "Error while saving the file.");
    EXPECT_EQ(dialogs_.messages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(host_.model().patternName(), "House\\Deep");
}

TEST_F(ContentLibraryTest, ImportCopiesAnOutsideSampleIntoTheChosenFolderAndSavesAnInstrument) {
    writeImportTemplate();
    std::string source = outsideSample({1000, 2000, 3000});
    std::string snares = pathOf("Snares", kContentSamples);
    fs::create_directories(snares);
    dialogs_.answerPath(snares);
    ASSERT_TRUE(library_.importSampleAsInstrument(3, source));

    ASSERT_EQ(dialogs_.folderTitles().size(), 1u);
    EXPECT_EQ(dialogs_.folderTitles()[0], "In welchen Ordner soll das Sample 'Snare.wav' kopiert werden?");
    EXPECT_TRUE(dialogs_.messages().empty()) << "nothing to overwrite, nothing to ask";
    std::string copied = pathOf("Snares/Snare.wav", kContentSamples);
    EXPECT_EQ(readFile(copied), readFile(source));
    EXPECT_EQ(host_.model().bank().track(3).samplePath, copied);
    EXPECT_EQ(host_.model().bank().voice(3).generator().sample().frameCount(), 3);
    EXPECT_EQ(name(3), "Snares\\Snare");
    EXPECT_FLOAT_EQ(pan(3), -0.75f) << "made from the template";
    EXPECT_TRUE(fs::exists(pathOf("Snares/Snare.tm2ins", kContentInstruments)));
    EXPECT_NE(library_.list(kContentInstruments)->find("Snares\\Snare"), ContentList::kNone);
    EXPECT_EQ(library_.instrumentPathFor(copied), pathOf("Snares/Snare.tm2ins", kContentInstruments));
}

TEST_F(ContentLibraryTest, OverwriteQuestionsDecideWhatIsReplaced) {
    writeImportTemplate();
    std::string snares = pathOf("Snares", kContentSamples);
    fs::create_directories(snares);
    dialogs_.answerPath(snares);
    ASSERT_TRUE(library_.importSampleAsInstrument(0, outsideSample({1000, 2000})));
    const std::string instrument = pathOf("Snares/Snare.tm2ins", kContentInstruments);
    const std::string copied = pathOf("Snares/Snare.wav", kContentSamples);
    const std::string firstInstrument = readFile(instrument);

    // Yes to the sample, No to the instrument: the sample is replaced, the instrument stays.
    std::string second = outsideSample({-5, -6, -7, -8});
    dialogs_.answerPath(snares);
    dialogs_.answerQuestion(Answer::Yes);
    dialogs_.answerQuestion(Answer::No);
    host_.model().bank().setValue(1, OutPan, 0.1f);
    EXPECT_FALSE(library_.importSampleAsInstrument(1, second));
    ASSERT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(dialogs_.messages()[0].text, "Overwrite Sample\n'Snare.wav'?");
    EXPECT_EQ(dialogs_.messages()[0].icon, MessageIcon::Question);
    EXPECT_TRUE(dialogs_.messages()[0].yesNo);
    EXPECT_EQ(dialogs_.messages()[1].text, "Overwrite Instrument\n'Snares\\Snare'?");
    EXPECT_EQ(readFile(copied), readFile(second));
    EXPECT_EQ(readFile(instrument), firstInstrument);
    EXPECT_FLOAT_EQ(pan(1), 0.1f) << "the track keeps its instrument";

    // No to the sample, Yes to the instrument: the copy stays, the instrument is made again.
    writeFile(second, monoWave({9}));
    dialogs_.clear();
    dialogs_.answerPath(snares);
    dialogs_.answerQuestion(Answer::No);
    dialogs_.answerQuestion(Answer::Yes);
    EXPECT_TRUE(library_.importSampleAsInstrument(1, second));
    EXPECT_EQ(dialogs_.messages().size(), 2u);
    EXPECT_EQ(readFile(copied), monoWave({-5, -6, -7, -8}));
    EXPECT_EQ(host_.model().bank().voice(1).generator().sample().frameCount(), 4) << "the kept copy plays";
    EXPECT_EQ(name(1), "Snares\\Snare");
}

TEST_F(ContentLibraryTest, CancellingTheFolderChooserChangesNothing) {
    writeImportTemplate();
    host_.model().bank().track(2).name = "Keep";
    EXPECT_FALSE(library_.importSampleAsInstrument(2, outsideSample({1, 2, 3})));
    EXPECT_EQ(dialogs_.folderTitles().size(), 1u);
    EXPECT_TRUE(dialogs_.messages().empty());
    EXPECT_FALSE(fs::exists(pathOf("", kContentSamples)));
    EXPECT_FALSE(fs::exists(pathOf("", kContentInstruments)));
    EXPECT_EQ(name(2), "Keep");
    EXPECT_EQ(host_.model().bank().track(2).samplePath, "No Sample");
}

TEST_F(ContentLibraryTest, ASampleInsideTheSampleFolderIsNotCopiedAndAMissingTemplateStops) {
    std::string inside = pathOf("Kicks/Deep.wav", kContentSamples);
    writeFile(inside, monoWave({100, 200}));
    EXPECT_FALSE(library_.importSampleAsInstrument(0, inside));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "File Trommik2\\config\\AutoImportTemplate.tm2insnot found.");
    EXPECT_EQ(dialogs_.messages()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(fs::exists(pathOf("Kicks", kContentInstruments)));

    writeImportTemplate();
    ASSERT_TRUE(library_.importSampleAsInstrument(0, inside));
    EXPECT_TRUE(dialogs_.folderTitles().empty()) << "no folder to choose for a sample already in place";
    EXPECT_EQ(host_.model().bank().track(0).samplePath, inside);
    EXPECT_EQ(name(0), "Kicks\\Deep");
    EXPECT_TRUE(fs::exists(pathOf("Kicks/Deep.tm2ins", kContentInstruments)));
}

TEST_F(ContentLibraryTest, KitsAreNamedAfterTheirSampleFolder) {
    ASSERT_TRUE(library_.saveKitForSampleFolder(pathOf("Acoustic/Vol.2", kContentSamples)));
    EXPECT_EQ(host_.model().kitName(), "Acoustic\\Vol.2");
    const std::string kit = pathOf("Acoustic/Vol.2.tm2drk", kContentDrumkits);
    EXPECT_TRUE(fs::exists(kit));
    EXPECT_NE(library_.list(kContentDrumkits)->find("Acoustic\\Vol.2"), ContentList::kNone);

    const std::string saved = readFile(kit);
    host_.model().bank().setValue(0, OutPan, 0.33f);
    EXPECT_FALSE(library_.saveKitForSampleFolder(pathOf("Acoustic/Vol.2/", kContentSamples)));
    ASSERT_EQ(dialogs_.messages().size(), 1u);
    EXPECT_EQ(dialogs_.messages()[0].text, "Overwrite drumkit\n'Acoustic\\Vol.2'?");
    EXPECT_EQ(readFile(kit), saved) << "answered No";
    dialogs_.answerQuestion(Answer::Yes);
    EXPECT_TRUE(library_.saveKitForSampleFolder(pathOf("Acoustic/Vol.2", kContentSamples)));
    EXPECT_NE(readFile(kit), saved);

    EXPECT_TRUE(library_.saveKitForSampleFolder(outside_.file("Loops")));
    EXPECT_EQ(host_.model().kitName(), "Loops") << "a folder elsewhere names the kit by itself";
}

TEST_F(ContentLibraryTest, CreatesEveryFolderAlongAPath) {
    std::string path = root_.file("a/b/c/file.tm2ins");
    EXPECT_TRUE(ContentLibrary::createFolders(path, true));
    EXPECT_TRUE(fs::is_directory(root_.file("a/b/c")));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(ContentLibrary::createFolders(root_.file("a/d"), false));
    EXPECT_TRUE(fs::is_directory(root_.file("a/d")));
    writeFile(root_.file("plain"), "x");
    EXPECT_FALSE(ContentLibrary::createFolders(root_.file("plain/sub"), false)) << "a file is in the way";
}
