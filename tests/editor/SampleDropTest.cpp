// Files dropped on the editor: which items count, which tracks they fill, what a drop makes.
#include <gtest/gtest.h>

#include <filesystem>

#include "EditorPanelTest.h"
#include "editor/ControlTags.h"
#include "editor/SampleDrop.h"
#include "editor/TextMenu.h"
#include "editor/TrackNameField.h"
#include "platform/x11/X11DropTarget.h"

namespace fs = std::filesystem;

namespace trommik2 {
namespace {

TEST(SampleDrop, TargetsFollowTheControlAndTheNumberOfFiles) {
    struct Case {
        int tag;
        size_t files;
        int first, count;
    };
    const Case cases[] = {
        {kTagFirstName + 14, 5, 14, 2}, {kTagKitMenu, 20, 0, 16},  {kTagFirstName, 3, 0, 3},
        {kTagFirstName + 15, 0, 15, 0}, {kTagSampleMenu, 4, 0, 0}, {kTagFirstMenu + 2, 4, 0, 0},
    };
    for (const Case& c : cases) {
        SampleDrop::Targets t = SampleDrop::targets(c.tag, c.files);
        EXPECT_EQ(t.count, c.count) << c.tag;
        if (c.count) {
            EXPECT_EQ(t.first, c.first) << c.tag;
        }
    }
}

TEST(SampleDrop, WavFilesComeFromFilesFoldersAndLinks) {
    TempFolder folder("trommik2-drop-items");
    for (const char* name : {"kit/b.WAV", "kit/a.wav", "kit/notes.txt", "loose.wav", "text.txt"})
        writeFile(folder.file(name), "x");
    fs::create_symlink(folder.file("loose.wav"), folder.file("link.wav"));
    const auto files = SampleDrop::wavFiles(
        {folder.file("kit"), folder.file("text.txt"), folder.file("link.wav"), folder.file("missing.wav")});
    EXPECT_EQ(files,
              (std::vector<std::string>{folder.file("kit/a.wav"), folder.file("kit/b.WAV"), folder.file("loose.wav")}));
}

TEST(SampleDrop, UriListsGiveLocalPathsPercentDecoded) {
    struct Case {
        const char* list;
        std::vector<std::string> paths;
    };
    const Case cases[] = {
        {"file:///home/a/Kick%2001.wav\r\nfile:///samples/x.wav\r\n", {"/home/a/Kick 01.wav", "/samples/x.wav"}},
        {"# comment\nfile://localhost/s/%C3%A9.wav\n", {"/s/\xC3\xA9.wav"}},
        {"file:/short.wav", {"/short.wav"}},
        {"http://example.org/a.wav\nfile://otherhost/a.wav\nfile:///bad%2.wav\nfile:///nul%00.wav\nfile://", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(X11DropTarget::pathsFromUriList(c.list), c.paths) << c.list;
}

class SampleDropTest : public EditorPanelTest {
  protected:
    bool highlighted(int track) { return panel().rows[track].name->colour().b < 0.6; }
    SampleDropTest() {
        const fs::path config = fs::path(rig.machine.contentFolders().root()) / "Trommik2/config";
        fs::create_directories(config);
        rig.machine.instrumentDocument().saveInstrumentFile(15, (config / "AutoImportTemplate.tm2ins").string());
        for (int i = 0; i < 5; ++i) {
            samples.push_back(outside.file("Drops/Hit" + std::to_string(i) + ".wav"));
            writeFile(samples.back(), monoWave({0, 12000, -12000, 8000, -8000, 4000}));
        }
    }
    std::string samplesFolder() const { return rig.machine.contentFolders().folder(kContentSamples); }
    void drag(const std::vector<std::string>& paths, int track, bool dropped) {
        editor.frame()->filesDragged(paths, rowPoint(150, track), dropped);
    }

    TempFolder outside{"trommik2-drop-source"};
    std::vector<std::string> samples;
};

TEST_F(SampleDropTest, HoveringPreviewsTheFileNamesOnTheTracksTheyWouldFill) {
    drag(samples, 14, false);
    EXPECT_EQ(panel().rows[14].name->text(), "Hit0");
    EXPECT_EQ(panel().rows[15].name->text(), "Hit1");
    EXPECT_TRUE(highlighted(15));
    EXPECT_FALSE(highlighted(13));
    drag({}, 14, false);
    EXPECT_EQ(panel().rows[14].name->text(), rig.display(kDisplayInstrumentNameFirst + 14));
    EXPECT_FALSE(highlighted(14));
}

TEST_F(SampleDropTest, FiveFilesOnTrackFourteenFillFourteenAndFifteenAndSaveTheKit) {
    const std::string into = (fs::path(samplesFolder()) / "Drops").string();
    fs::create_directories(into);
    rig.dialogs.answerPath(into);
    const std::string before13 = rig.machine.bank().track(13).samplePath;
    drag(samples, 14, true);
    EXPECT_TRUE(rig.dialogs.messages().empty());
    EXPECT_EQ(rig.dialogs.folderTitles().size(), 1u) << "one sample folder for the whole drop";
    EXPECT_EQ(rig.machine.bank().track(14).samplePath, (fs::path(into) / "Hit0.wav").string());
    EXPECT_EQ(rig.machine.bank().track(15).samplePath, (fs::path(into) / "Hit1.wav").string());
    EXPECT_EQ(rig.machine.bank().track(13).samplePath, before13);
    EXPECT_TRUE(fs::exists(rig.machine.contentFolders().pathOf("Drops\\Hit0.tm2ins", kContentInstruments)));
    EXPECT_TRUE(fs::exists(rig.machine.contentFolders().pathOf("Drops.tm2drk", kContentDrumkits)));
    EXPECT_EQ(panel().kitMenu->text(), "Drops");
    for (const std::string& sample : samples)
        EXPECT_TRUE(fs::exists(sample)) << "the dropped files stay where they were";
}

TEST_F(SampleDropTest, ATextFileGetsTheLoadersMessageAndChangesNothing) {
    const std::string text = outside.file("notes.txt");
    writeFile(text, "not a sample");
    const std::string state = rig.state();
    drag({text}, 3, false);
    EXPECT_FALSE(highlighted(3));
    drag({text}, 3, true);
    EXPECT_EQ(rig.state(), state);
    ASSERT_EQ(rig.dialogs.messages().size(), 1u);
    EXPECT_EQ(rig.dialogs.messages()[0].icon, MessageIcon::Stop);
}

} // namespace
} // namespace trommik2
