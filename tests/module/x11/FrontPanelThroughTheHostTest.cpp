// The front panel's acceptance checks through the entry point: real input
// through XTEST under the test's own display.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <X11/keysym.h>

#include <trommik2/control_ids.h>

#include "EditorHost.h"
#include "common/Screenshots.h"

namespace trommik2 {
namespace {

namespace fs = std::filesystem;

// A browser of our own first on the path that notes what it was asked to
// show, and the language of the untranslated manual, while it lives.
class StubViewer {
  public:
    StubViewer() : folder_(fs::temp_directory_path() / ("trommik2-viewer-" + std::to_string(::getpid()))) {
        fs::remove_all(folder_); // a leftover of a killed run whose process id came round again
        fs::create_directories(folder_);
        std::string script = (folder_ / "xdg-open").string();
        std::ofstream(script) << "#!/bin/sh\necho \"$1\" > '" << asked().string() << "'\n";
        chmod(script.c_str(), 0755);
        const char* path = std::getenv("PATH");
        const char* lang = std::getenv("LANG");
        savedPath_ = path ? path : "";
        savedLang_ = lang ? lang : "";
        setenv("PATH", (folder_.string() + ":" + savedPath_).c_str(), 1);
        setenv("LANG", "C", 1);
    }
    ~StubViewer() {
        setenv("PATH", savedPath_.c_str(), 1);
        setenv("LANG", savedLang_.c_str(), 1);
        fs::remove_all(folder_);
    }
    fs::path asked() const { return folder_ / "asked"; }

  private:
    fs::path folder_;
    std::string savedPath_, savedLang_;
};

class FrontPanelHost : public EditorHost {
  protected:
    FrontPanelHost() {
        installContent();
        openEditor();
    }
    std::string state() { return saveText(module.entry, context); }
    fs::path content(const std::string& relative) { return module.folder() / "Trommik2" / relative; }
    // Where a file of this name lies in the content tree's folder, empty for nowhere.
    fs::path find(const std::string& folder, const std::string& name) {
        for (const auto& entry : fs::recursive_directory_iterator(content(folder)))
            if (entry.path().filename() == name)
                return entry.path();
        return {};
    }
    std::string readText(const fs::path& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(FrontPanelHost, PlayButtonSpaceAndTheStripKey) {
    clickAt(746, 34);
    ASSERT_FALSE(codes().empty());
    EXPECT_EQ(codes().back(), 2) << "'PLAY'";
    idle(300);
    typeKeys({{A::Key, XK_space}});
    EXPECT_EQ(codes().back(), 3) << "'STOP' while the host plays";
    typeKeys({{A::Key, XK_e}});
    EXPECT_EQ(place(static_cast<Window>(context.editorWindow)).height, 72);
}

TEST_F(FrontPanelHost, KitMenuLoadsTheNextKitAndEscapeLeavesTheStateAsSaved) {
    std::vector<std::string> kits;
    for (const auto& file : fs::directory_iterator(content("Drumkits")))
        kits.push_back(file.path().stem().string());
    std::sort(kits.begin(), kits.end());
    const std::string current = displayText(kDisplayKitName);
    auto at = std::find(kits.begin(), kits.end(), current);
    ASSERT_NE(at, kits.end()) << current;
    ASSERT_NE(at + 1, kits.end());

    auto [x, y] = onScreen(150, 139);
    bool menuShown = false;
    // The menu runs inside the module's idle call until it ends, so the keys
    // that end it come in the same script; its window is looked for meanwhile.
    driver.play({{A::Move, x, y},
                 {A::Wait, 80},
                 {A::Press, 1},
                 {A::Wait, 60},
                 {A::Release, 1},
                 {A::Wait, 400},
                 {A::Key, XK_Down},
                 {A::Wait, 200},
                 {A::Key, XK_Return},
                 {A::Wait, 100}});
    std::thread watcher([&] {
        Display* own = XOpenDisplay(nullptr);
        for (int i = 0; i < 60 && !menuShown; ++i) {
            menuShown = !topLevelsOn(own, "zk_synth_menu_wnd").empty();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        XCloseDisplay(own);
    });
    while (!driver.done())
        idle(0);
    driver.wait();
    idle(200);
    watcher.join();
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(displayText(kDisplayKitName), *(at + 1));

    const std::string saved = state();
    auto [x2, y2] = onScreen(150, 139);
    play({{A::Move, x2, y2},
          {A::Wait, 80},
          {A::Press, 1},
          {A::Release, 1},
          {A::Wait, 300},
          {A::Key, XK_Down},
          {A::Wait, 200},
          {A::Key, XK_Down},
          {A::Wait, 200},
          {A::Key, XK_Escape},
          {A::Wait, 100}});
    EXPECT_TRUE(topLevels("zk_synth_menu_wnd").empty());
    EXPECT_EQ(state(), saved);
}

TEST_F(FrontPanelHost, MuteDragAndNameDrop) {
    dragThrough({{41, 214}, {41, 234}, {41, 254}, {41, 274}, {41, 294}});
    for (int t = 0; t < 16; ++t)
        EXPECT_EQ(parameter(kParamMuteFirst + t), t >= 2 && t <= 6 ? 1.0f : 0.0f) << "track " << t;

    const std::string first = displayText(kDisplayInstrumentNameFirst);
    const std::string fourth = displayText(kDisplayInstrumentNameFirst + 3);
    ASSERT_NE(first, fourth);
    dragThrough({{150, 174}, {150, 194}, {150, 214}, {150, 234}});
    EXPECT_EQ(displayText(kDisplayInstrumentNameFirst), fourth);
    EXPECT_EQ(displayText(kDisplayInstrumentNameFirst + 3), first);
    EXPECT_EQ(parameter(kParamSelectTrack), 3.0f);
}

TEST_F(FrontPanelHost, SavingAPatternAsksBeforeReplacingIt) {
    auto [x, y] = onScreen(264, 140);
    std::vector<A> saveAsMine = saveAs(
        264, 140,
        {{A::Hold, XK_Shift_L}, {A::Key, XK_m}, {A::Let, XK_Shift_L}, {A::Key, XK_i}, {A::Key, XK_n}, {A::Key, XK_e}});
    play(saveAsMine);
    // The dialog starts in the folder of the current pattern.
    const fs::path mine = find("Patterns", "Mine.tm2pat");
    ASSERT_FALSE(mine.empty());
    EXPECT_EQ(displayText(kDisplayPatternName), "Mine");
    const std::string first = readText(mine);

    // A change, then the same name again: the question is answered No (Escape),
    // the dialog cancelled; the file stays as it was.
    clickAt(597, 115); // one bar instead of four
    std::vector<A> again{{A::Move, x, y},     {A::Wait, 80},  {A::Press, 1},       {A::Wait, 60},
                         {A::Release, 1},     {A::Wait, 400}, {A::Key, XK_Return}, {A::Wait, 400},
                         {A::Key, XK_Escape}, {A::Wait, 300}, {A::Key, XK_Escape}, {A::Wait, 300}};
    play(again);
    EXPECT_EQ(readText(mine), first);
    // Answered Yes (Return), it is replaced.
    again[8] = {A::Key, XK_Return};
    again.resize(10);
    play(again);
    EXPECT_NE(readText(mine), first);
}

TEST_F(FrontPanelHost, F1OpensTheManualAtTheEditorTopic) {
    StubViewer viewer;
    typeKeys({{A::Key, XK_F1}});
    for (int i = 0; i < 100 && !fs::exists(viewer.asked()); ++i)
        idle(20);
    EXPECT_EQ(readText(viewer.asked()),
              "file://" + fs::absolute(content("Help/Trommik2.html")).lexically_normal().string() + "#editor\n");
}

TEST_F(FrontPanelHost, StartUpScreenshotMatchesItsReference) {
    cairo_surface_t* shot = screenshotOf(display, static_cast<Window>(context.editorWindow));
    EXPECT_EQ(cairo_image_surface_get_width(shot), 916);
    EXPECT_EQ(cairo_image_surface_get_height(shot), 671);
    compareWithReference(shot, TROMMIK2_SCREENSHOT_FOLDER, "startup");
    cairo_surface_destroy(shot);
}

} // namespace
} // namespace trommik2
