#include <gtest/gtest.h>

#include <string>

#include <content/ContentFolders.h>

#include "support/FileSupport.h"

using namespace trommik2;

TEST(ContentFolders, KindsCarryTheirFoldersExtensionsAndDialogTexts) {
    const ContentKindInfo* instruments = ContentFolders::kindInfo(21000);
    ASSERT_NE(instruments, nullptr);
    EXPECT_STREQ(instruments->folder, "Trommik2\\Instruments");
    EXPECT_STREQ(instruments->extension, "tm2ins");
    EXPECT_STREQ(instruments->filterDescription, "Trommik2 instrument (*.tm2ins)");
    EXPECT_STREQ(instruments->filterPattern, "*.tm2ins");
    EXPECT_STREQ(instruments->loadTitle, "Load Instrument File");
    EXPECT_STREQ(instruments->saveTitle, "Save Instrument File");
    EXPECT_STREQ(ContentFolders::kindInfo(21001)->saveTitle, "Save Drumkit File");
    EXPECT_STREQ(ContentFolders::kindInfo(21002)->filterDescription, "Trommik2 pattern (*.tm2pat)");
    EXPECT_STREQ(ContentFolders::kindInfo(21003)->loadTitle, "Load Setup File");
    EXPECT_STREQ(ContentFolders::kindInfo(21004)->folder, "Trommik2\\Samples");
    EXPECT_STREQ(ContentFolders::kindInfo(21004)->extension, "wav");
    EXPECT_STREQ(ContentFolders::kindInfo(21004)->saveTitle, "");
    EXPECT_EQ(ContentFolders::kindInfo(20999), nullptr);
    EXPECT_EQ(ContentFolders::kindInfo(21005), nullptr);
}

TEST(ContentFolders, FoldersLieBelowTheRootInPlatformForm) {
    ContentFolders folders;
    folders.setRoot("/synths/");
    EXPECT_EQ(folders.root(), "/synths/");
    EXPECT_EQ(folders.folder(kContentInstruments), "/synths/Trommik2/Instruments");
    EXPECT_EQ(folders.folder(kContentSamples), "/synths/Trommik2/Samples");
    EXPECT_EQ(folders.folder(7), "");
    EXPECT_EQ(folders.pathOf("Kicks\\Deep.wav", kContentSamples), "/synths/Trommik2/Samples/Kicks/Deep.wav");
    EXPECT_EQ(folders.pathOf("Kicks/Deep.wav", kContentSamples), "/synths/Trommik2/Samples/Kicks/Deep.wav");
    EXPECT_EQ(folders.pathOf("\\\\Deep.wav", kContentSamples), "/synths/Trommik2/Samples/Deep.wav")
        << "a leading separator does not escape the folder";
}

TEST(ContentFolders, RelativeNamesDropTheFolderAndTheExtension) {
    ContentFolders folders;
    folders.setRoot("/synths");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Instruments/Kicks/Deep.tm2ins", kContentInstruments),
              "Kicks\\Deep");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Drumkits/Rock.tm2drk", kContentDrumkits), "Rock");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Samples/a/b/c.x.wav", kContentSamples), "a\\b\\c.x");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Samples/./a/../Snare.wav", kContentSamples), "Snare");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Samples/Folder", kContentSamples), "Folder");
}

TEST(ContentFolders, PathsOutsideTheFolderGetRealRelativeNames) {
    ContentFolders folders;
    folders.setRoot("/synths");
    const std::string outside = "/home/me/x/Snare.wav";
    std::string name = folders.relativeName(outside, kContentSamples);
    EXPECT_EQ(name, "..\\..\\..\\home\\me\\x\\Snare");
    EXPECT_EQ(folders.pathOf(name + ".wav", kContentSamples), outside) << "the name leads back to the same file";
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Instruments/Tom.tm2ins", kContentDrumkits),
              "..\\Instruments\\Tom");
}

TEST(ContentFolders, NoPathGivesTheEmptyName) {
    ContentFolders folders;
    folders.setRoot("/synths");
    EXPECT_EQ(folders.relativeName("No Sample", kContentSamples), "");
    EXPECT_EQ(folders.relativeName("", kContentSamples), "");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Samples", kContentSamples), "");
    EXPECT_EQ(folders.relativeName("/synths/Trommik2/Samples/x.wav", 42), "");
}

TEST(ContentFolders, SeparatorsConvertBothWays) {
    EXPECT_EQ(ContentFolders::toPlatformPath("Kicks\\Sub/Deep.wav"), "Kicks/Sub/Deep.wav");
    EXPECT_EQ(ContentFolders::toDocumentName("Kicks/Sub\\Deep"), "Kicks\\Sub\\Deep");
}

TEST(ContentFolders, NamesFindTheirFilesWhateverTheCaseOfTheirLetters) {
    TempFolder root("content-case");
    writeFile(root.file("Samples/Kicks/Deep.WAV"), "x");
    const std::string exact = root.file("Samples/Kicks/Deep.WAV");
    EXPECT_EQ(ContentFolders::findIgnoringCase(root.file("samples/kicks/deep.wav")), exact);
    EXPECT_EQ(ContentFolders::findIgnoringCase(exact), exact);
    EXPECT_EQ(ContentFolders::findIgnoringCase(root.file("Samples/Kicks/Dee.wav")), root.file("Samples/Kicks/Dee.wav"))
        << "a file that is not there keeps its path";
    EXPECT_EQ(ContentFolders::findIgnoringCase(""), "");
}
