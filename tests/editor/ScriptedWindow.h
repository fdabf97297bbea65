#pragma once

#include <deque>
#include <functional>

#include <X11/keysym.h>
#include <vector>

#include "editor/FrameWindow.h"
#include "editor/MenuSession.h"

namespace trommik2 {

// A frame window whose mouse follows a script: each pass of a tracking loop
// takes the next state and advances the clock, so gestures replay exactly.
class ScriptedWindow : public FrameWindow {
  public:
    struct Step {
        MouseState state;
        uint64_t milliseconds = 10;
    };

    // The state the next gesture starts from and the ones its loop will see.
    void script(MouseState press, std::vector<Step> steps) {
        current_ = press;
        steps_.assign(steps.begin(), steps.end());
    }
    void advance(uint64_t milliseconds) { clock_ += milliseconds; }

    MouseState mouseState() override { return current_; }
    uint64_t now() override { return clock_; }
    void waitForInput() override {
        ++passes;
        if (steps_.empty()) {
            // The script ran out: the buttons are let go where the mouse is.
            current_.buttons = 0;
            return;
        }
        current_ = steps_.front().state;
        clock_ += steps_.front().milliseconds;
        steps_.pop_front();
    }
    void show(cairo_surface_t*, const ViewRect& area) override { shown.push_back(area); }
    void resize(int width, int height) override { size = {0, 0, width, height}; }
    void setCursor(int resource) override { cursor = resource; }
    void dragWindow(const MouseState&) override { ++drags; }
    bool screenPosition(int* x, int* y) override {
        *x = position.x;
        *y = position.y;
        return true;
    }
    void takeFocus() override { ++focusRequests; }
    uintptr_t systemWindow() const override { return 1; }
    ViewRect screenBounds() override { return {0, 0, 1280, 1024}; }
    // Plays the scripted menu keys (0: a pump pass); when they run out the
    // menu is left with Escape.
    void runMenu(MenuSession& session, const std::function<void()>& pump) override {
        const MenuSession::Level& first = session.levels().front();
        menus.push_back({*first.entries, first.highlight});
        while (session.isOpen()) {
            unsigned long key = XK_Escape;
            if (!menuKeys.empty()) {
                key = menuKeys.front();
                menuKeys.pop_front();
            }
            if (key)
                session.key(key);
            pump();
            if (afterMenuKey)
                afterMenuKey();
        }
    }

    std::deque<unsigned long> menuKeys;
    // Called after each scripted menu key, while the menu is still up or just ended.
    std::function<void()> afterMenuKey;
    // The first list of every menu shown (a copy: the menu ends with the session).
    struct ShownMenu {
        Menu entries;
        int highlight = -1;
    };
    std::vector<ShownMenu> menus;
    std::vector<ViewRect> shown;
    ViewRect size;
    ViewPoint position{120, 80};
    int cursor = 0;
    int drags = 0;
    int focusRequests = 0;
    int passes = 0;

  private:
    MouseState current_;
    std::deque<Step> steps_;
    uint64_t clock_ = 1000;
};

} // namespace trommik2
