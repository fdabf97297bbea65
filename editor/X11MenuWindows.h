#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "MenuSession.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {

// The pop-up windows of a menu session on X11: one override-redirect window
// per open list, with the pointer and the keyboard grabbed for the session's
// length, so a click anywhere else ends it. User-interface thread.
class X11MenuWindows : private X11WindowListener {
  public:
    explicit X11MenuWindows(MenuSession& session) : session_(session) {}
    ~X11MenuWindows() override;

    // Until the session ends; pump runs on every pass.
    void run(const std::function<void()>& pump);

  private:
    // Opens, moves and repaints the windows to match the session's lists.
    void follow();
    void paint(size_t level);

    void mouseDown(const X11PointerEvent& event) override { session_.pointerPressed({event.rootX, event.rootY}); }
    void mouseUp(const X11PointerEvent& event) override { session_.pointerReleased({event.rootX, event.rootY}); }
    void mouseMoved(const X11PointerEvent& event) override { session_.pointerMoved({event.rootX, event.rootY}); }
    void wheel(const X11PointerEvent& event, int distance) override {
        session_.wheel({event.rootX, event.rootY}, -distance);
    }
    void keyDown(const X11KeyEvent& key) override { session_.key(key.keysym); }
    void exposed(const X11Rect&) override { painted_ = ~uint64_t{0}; }

    MenuSession& session_;
    std::vector<std::unique_ptr<X11Window>> windows_;
    std::vector<ViewRect> places_;
    uint64_t painted_ = ~uint64_t{0};
    bool grabbed_ = false;
};

} // namespace trommik2
