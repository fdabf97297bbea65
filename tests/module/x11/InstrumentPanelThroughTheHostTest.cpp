// The instrument panel's menus through the entry point, with the factory
// content: the pictures the README shows.
#include <X11/keysym.h>

#include "EditorHost.h"
#include "common/Screenshots.h"

namespace trommik2 {
namespace {

class InstrumentPanelHost : public EditorHost {
  protected:
    InstrumentPanelHost() {
        installContent();
        openEditor();
    }
    // Runs the keys in an open menu, shoots the editor with the menu below it, and leaves with the last key.
    void shootMenu(int x, int y, int button, std::vector<KeySym> keys, KeySym last, const std::string& name) {
        auto [sx, sy] = onScreen(x, y);
        auto [left, top] = onScreen(0, 0);
        std::vector<A> actions{{A::Move, sx, sy}, {A::Wait, 80},        {A::Press, button},
                               {A::Wait, 60},     {A::Release, button}, {A::Wait, 400}};
        for (KeySym key : keys)
            actions.insert(actions.end(), {{A::Key, static_cast<int>(key)}, {A::Wait, 150}});
        actions.push_back({A::Wait, 300});
        actions.push_back({A::Call, 0, 0, [left = left, top = top, name] {
                               Display* own = XOpenDisplay(nullptr);
                               cairo_surface_t* shot = screenshotOf(own, DefaultRootWindow(own), left, top, 916, 860);
                               compareWithReference(shot, TROMMIK2_SCREENSHOT_FOLDER, name);
                               cairo_surface_destroy(shot);
                               XCloseDisplay(own);
                           }});
        actions.insert(actions.end(), {{A::Key, static_cast<int>(last)}, {A::Wait, 200}});
        play(actions);
    }
};

TEST_F(InstrumentPanelHost, TrackMenuScreenshot) {
    shootMenu(150, 214, 3, {XK_Down}, XK_Escape, "track-menu");
    EXPECT_TRUE(topLevels("zk_synth_menu_wnd").empty());
}

TEST_F(InstrumentPanelHost, ModulePictureScreenshot) {
    // Track 1 plays the FM synthesis; its third knob's menu opens on that group.
    shootMenu(424, 655, 1, {XK_Right, XK_Down}, XK_Escape, "module-picture");
    EXPECT_TRUE(topLevels("zk_synth_menu_wnd").empty());
}

} // namespace
} // namespace trommik2
