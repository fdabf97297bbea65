#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <support/Configuration.h>
#include <support/VersionText.h>

using namespace trommik2;

namespace {

class ConfigurationFile : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() / ("trommik2-config-" + std::to_string(::getpid()) + ".ini");
        std::filesystem::remove(path_);
    }
    void TearDown() override { std::filesystem::remove(path_); }
    void writeFile(const std::string& text) { std::ofstream(path_) << text; }
    std::string readFile() const {
        std::ifstream in(path_);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::filesystem::path path_;
};

} // namespace

TEST_F(ConfigurationFile, MissingFileAndKeysKeepTheDefaults) {
    Configuration config(path_.string());
    bool editMode = true;
    int x = 0;
    config.readBool("Editor", "Editmode", &editMode);
    config.readInt("Editor", "WndPosX", &x);
    EXPECT_TRUE(editMode);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(config.readString("Presets", "DefaultSetup", "default", 261), "default");
}

TEST_F(ConfigurationFile, BooleansAndIntegersOnlyChangeForValidText) {
    writeFile("[Editor]\nEditmode=yes\nDisplayParamScheme = FALSE \nWndPosX=abc\nWndPosY=-120px\n"
              "Long=truefalse\n[presets]\nDefaultSetup=\"Live\\Set 1\"\nHuge=99999999999999999999\n");
    Configuration config(path_.string());
    bool editMode = true;
    bool scheme = true;
    bool cut = false;
    config.readBool("Editor", "Editmode", &editMode);
    config.readBool("editor", "displayparamscheme", &scheme);
    config.readBool("Editor", "Long", &cut);
    EXPECT_TRUE(editMode) << "\"yes\" keeps the default";
    EXPECT_FALSE(scheme) << "any letter case, spaces trimmed";
    EXPECT_FALSE(cut) << "values are cut at six characters before comparing";
    int x = 0, y = 0, huge = 7;
    config.readInt("Editor", "WndPosX", &x);
    config.readInt("Editor", "WndPosY", &y);
    config.readInt("Presets", "Huge", &huge);
    EXPECT_EQ(x, 0) << "\"abc\" keeps 0";
    EXPECT_EQ(y, -120);
    EXPECT_EQ(huge, 7);
    EXPECT_EQ(config.readString("Presets", "DefaultSetup", "default", 261), "Live\\Set 1");
    EXPECT_EQ(config.readString("Presets", "DefaultSetup", "default", 5), "Live");
}

TEST_F(ConfigurationFile, WritingOneKeyKeepsTheRestOfTheFile) {
    writeFile("; settings\n[Editor]\nEditmode=true\nWndPosX=10\n\n[Presets]\nDefaultSetup=Groove\n[Other]\nkeep=me\n");
    Configuration config(path_.string());
    config.writeInt("Editor", "WndPosX", 250);
    config.writeInt("Editor", "WndPosY", -4);
    config.writeBool("Editor", "DisplayParamScheme", false);
    config.writeString("Help", "Page", "index");
    EXPECT_EQ(readFile(), "; settings\n[Editor]\nEditmode=true\nWndPosX=250\nWndPosY=-4\nDisplayParamScheme=false\n\n"
                          "[Presets]\nDefaultSetup=Groove\n[Other]\nkeep=me\n[Help]\nPage=index\n");
    int y = 0;
    config.readInt("Editor", "WndPosY", &y);
    EXPECT_EQ(y, -4);
}

TEST_F(ConfigurationFile, AFailedWriteLeavesTheFileAlone) {
    std::filesystem::create_directories(path_);
    Configuration config((path_ / "missing-folder" / "x.ini").string());
    config.writeInt("Editor", "WndPosX", 1); // the folder does not exist: ignored
    EXPECT_FALSE(std::filesystem::exists(path_ / "missing-folder"));
    std::filesystem::remove_all(path_);
}

TEST(VersionText, NamesTheProductAndTheFourVersionFields) {
    std::string text = versionText();
    EXPECT_EQ(text.rfind("Trommik2 Drums    Version: ", 0), 0u) << text;
    int fields[4] = {-1, -1, -1, -1};
    EXPECT_EQ(
        std::sscanf(text.c_str() + text.find(':') + 1, "%d.%d.%d.%d", &fields[0], &fields[1], &fields[2], &fields[3]),
        4);
}
