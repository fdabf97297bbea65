#pragma once

#include <memory>

#include "FrameWindow.h"
#include "platform/x11/X11DropTarget.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {

class EditorFrame;

// The frame's system window on X11: a child of the window the host gives,
// whose events go to the frame and which shows the frame's backing image;
// files dragged onto it from other programs go to the frame too.
// User-interface thread.
class X11FrameWindow : public FrameWindow, private X11WindowListener, private X11DropTarget::Listener {
  public:
    // nullptr without a display or when the parent is no window.
    static std::unique_ptr<X11FrameWindow> open(uintptr_t parent, EditorFrame& frame);

    MouseState mouseState() override;
    uint64_t now() override;
    void waitForInput() override;
    void pollInput() override;
    void show(cairo_surface_t* backing, const ViewRect& area) override;
    void resize(int width, int height) override;
    void setCursor(int resource) override;
    void dragWindow(const MouseState& press) override;
    bool screenPosition(int* x, int* y) override;
    void takeFocus() override;
    uintptr_t systemWindow() const override;
    ViewRect screenBounds() override;
    void runMenu(MenuSession& session, const std::function<void()>& pump) override;
    X11Window* window() const { return window_.get(); }

  private:
    explicit X11FrameWindow(EditorFrame& frame) : frame_(frame) {}

    void exposed(const X11Rect& area) override;
    void mouseDown(const X11PointerEvent& event) override;
    void mouseMoved(const X11PointerEvent& event) override;
    void wheel(const X11PointerEvent& event, int distance) override;
    void keyDown(const X11KeyEvent& key) override;
    void focusChanged(bool gained) override;
    void otherEvent(const XEvent& event) override;
    void filesDragged(const std::vector<std::string>& paths, int x, int y) override;
    void filesDropped(const std::vector<std::string>& paths, int x, int y) override;

    EditorFrame& frame_;
    std::unique_ptr<X11Window> window_;
    std::unique_ptr<X11DropTarget> drop_;
    X11PointerEvent lastPress_;
};

} // namespace trommik2
