#pragma once

#include <cstdint>
#include <functional>

#include <cairo.h>

#include "ViewGeometry.h"

namespace trommik2 {

class MenuSession;

// The global mouse state: position in the editor, buttons and modifiers (MouseBits).
struct MouseState {
    ViewPoint where;
    int buttons = 0;
};

// What the frame needs of the system window that shows it: the mouse state and
// a clock for the tracking loops, and the window services. The X11 window
// implements it; the tests script it. User-interface thread.
class FrameWindow {
  public:
    virtual ~FrameWindow() = default;
    virtual MouseState mouseState() = 0;
    // Milliseconds of a steady clock.
    virtual uint64_t now() = 0;
    // One pass of a tracking loop: takes in what the system has for the window
    // and lets a little time pass.
    virtual void waitForInput() = 0;
    // Takes in what the system has for the window, without waiting.
    virtual void pollInput() {}
    // Copies the area of the frame's backing image to the screen.
    virtual void show(cairo_surface_t* backing, const ViewRect& area) = 0;
    virtual void resize(int width, int height) = 0;
    virtual void setCursor(int resource) = 0;
    // Moves the window that holds the editor with the mouse, as a drag on its caption.
    virtual void dragWindow(const MouseState& press) = 0;
    // The window's top-left corner on the screen; false when it cannot be read.
    virtual bool screenPosition(int* x, int* y) = 0;
    virtual void takeFocus() = 0;
    // The system's handle of the window, 0 for none.
    virtual uintptr_t systemWindow() const = 0;
    // The screen the window is on, in screen coordinates.
    virtual ViewRect screenBounds() = 0;
    // Shows the session's lists as pop-up windows and runs them until the
    // session ends, calling pump on every pass so the editor keeps its idle.
    virtual void runMenu(MenuSession& session, const std::function<void()>& pump) = 0;
};

} // namespace trommik2
