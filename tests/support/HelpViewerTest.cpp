#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "FileSupport.h"
#include "platform/ScriptedDialogs.h"
#include "support/Configuration.h"
#include "support/HelpViewer.h"

namespace trommik2 {
namespace {

TEST(HelpViewer, TriesTheLanguageItsPartsAndThenTheManualWithout) {
    struct Case {
        const char* language;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"xx_YY", {"Trommik2_xx_YY.html", "Trommik2_xx.html", "Trommik2_YY.html", "Trommik2.html"}},
        {"de", {"Trommik2_de.html", "Trommik2.html"}},
        {"", {"Trommik2.html"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        for (const std::string& path : HelpViewer::candidates("root", c.language)) {
            EXPECT_EQ(std::filesystem::path(path).parent_path(), std::filesystem::path("root/Trommik2/Help"));
            names.push_back(std::filesystem::path(path).filename().string());
        }
        EXPECT_EQ(names, c.names) << c.language;
    }
}

TEST(HelpViewer, LanguageComesFromTheSettingsElseFromLang) {
    TempFolder folder("help-language");
    Configuration configuration(folder.file("Trommik2.ini"));
    const char* saved = std::getenv("LANG");
    std::string lang = saved ? saved : "";
    setenv("LANG", "pt_BR.UTF-8", 1);
    EXPECT_EQ(HelpViewer::language(configuration), "pt_BR");
    setenv("LANG", "C", 1);
    EXPECT_EQ(HelpViewer::language(configuration), "");
    configuration.writeString("Help", "Language", "de");
    EXPECT_EQ(HelpViewer::language(configuration), "de");
    setenv("LANG", lang.c_str(), 1);
}

// A manual tree and a browser of our own that notes what it was asked to show.
class HelpRig : public ::testing::Test {
  protected:
    HelpRig() {
        Dialogs::install(&dialogs);
        std::filesystem::create_directories(root.path() / "Trommik2" / "Help");
        std::filesystem::create_directories(bin.path());
        const char* path = std::getenv("PATH");
        savedPath = path ? path : "";
        setenv("PATH", bin.path().c_str(), 1);
        const char* lang = std::getenv("LANG");
        savedLang = lang ? lang : "";
        setenv("LANG", "C", 1);
    }
    ~HelpRig() override {
        setenv("PATH", savedPath.c_str(), 1);
        setenv("LANG", savedLang.c_str(), 1);
        Dialogs::install(nullptr);
    }
    void writeManual(const std::string& name) { std::ofstream(root.path() / "Trommik2" / "Help" / name) << "<html/>"; }
    void writeViewer(int exitStatus) {
        std::string script = bin.file("xdg-open");
        std::ofstream(script) << "#!/bin/sh\necho \"$1\" > '" << bin.file("asked") << "'\nexit " << exitStatus << "\n";
        chmod(script.c_str(), 0755);
    }
    // Waits for the browser to end and collects it.
    void settle(HelpViewer& viewer) {
        for (int i = 0; i < 200 && !std::filesystem::exists(bin.file("asked")); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        viewer.poll();
    }

    TempFolder root{"help-root"};
    TempFolder bin{"help-bin"};
    ScriptedDialogs dialogs;
    std::string savedPath;
    std::string savedLang;
};

TEST_F(HelpRig, OpensTheTranslationAtTheTopic) {
    writeManual("Trommik2.html");
    writeManual("Trommik2_de.html");
    writeViewer(0);
    Configuration configuration(root.file("Trommik2.ini"));
    configuration.writeString("Help", "Language", "de_AT");
    HelpViewer viewer(root.path().string(), configuration);
    EXPECT_TRUE(viewer.open("editor"));
    settle(viewer);
    std::string asked = readFile(bin.file("asked"));
    EXPECT_EQ(asked, "file://" + (root.path() / "Trommik2/Help/Trommik2_de.html").string() + "#editor\n");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(HelpRig, TellsWhenThereIsNoManualOrTheBrowserFails) {
    HelpViewer viewer(root.path().string(), Configuration(root.file("Trommik2.ini")));
    EXPECT_FALSE(viewer.open("editor"));
    writeManual("Trommik2.html");
    EXPECT_FALSE(viewer.open("editor")) << "no browser on the path";
    writeViewer(3);
    EXPECT_TRUE(viewer.open("editor"));
    settle(viewer);
    std::vector<std::string> texts;
    for (const auto& shown : dialogs.messages()) {
        texts.push_back(shown.text);
        EXPECT_EQ(shown.caption, "Error");
        EXPECT_EQ(shown.icon, MessageIcon::Warning);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Could not find help file.", "Could not open help file.",
                                               "Could not open help file."}));
}

} // namespace
} // namespace trommik2
