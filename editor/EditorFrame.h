#pragma once

#include <memory>
#include <string>
#include <vector>

#include <cairo.h>

#include "FrameHost.h"
#include "FrameWindow.h"
#include "PanelView.h"

namespace trommik2 {

// How knobs follow the mouse, editor-wide unless a knob has its own mode.
enum class KnobMode { Circular = 0, RelativeCircular = 1, Linear = 2 };

// The root of the view tree: owns the views, a backing image of the whole
// editor that dirty views are painted into, and the system window that shows
// it. Input from the window arrives here and goes to the view under the mouse.
// User-interface thread.
class EditorFrame : public PanelView {
  public:
    EditorFrame(int width, int height, FrameHost* host);
    ~EditorFrame() override;

    // Takes the window the frame is shown in (none: offscreen).
    void setWindow(std::unique_ptr<FrameWindow> window);
    FrameWindow* window() const { return window_.get(); }
    cairo_surface_t* backing() const { return backing_; }

    // Input from the window, in the frame's coordinates.
    void mouseDown(ViewPoint where, int buttons) override;
    bool wheel(ViewPoint where, float distance, int buttons) override;
    bool keyDown(const X11KeyEvent& key) override;
    void mouseMoved(ViewPoint where) override;
    void exposed(const ViewRect& area);
    // Files dragged over the frame (an empty list: the drag left) or dropped on it.
    void filesDragged(const std::vector<std::string>& paths, ViewPoint where, bool dropped);
    void focusChanged(bool gained);

    // Paints every dirty view into the backing image and shows what changed.
    void update();
    // One pass of a tracking loop: the window takes in its input, the editor
    // runs its idle pump, the frame repaints.
    void runIdlePump();
    bool tracking() const { return tracking_; }
    // True while input is being handed to the views (the editor must not go then).
    bool handlingInput() const { return handling_ > 0; }

    MouseState mouseState() const;
    uint64_t now() const;
    // The size of the shown part (the backing keeps the full editor).
    void setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    void setCursor(int resource);
    void dragWindow(const MouseState& press);
    // Shows a pop-up menu and runs it to its end, the editor idling meanwhile.
    void runMenu(MenuSession& session);
    // A rectangle of the frame in screen coordinates.
    ViewRect onScreen(const ViewRect& rect) const;
    // The view that gets keys first until the focus moves on.
    void setFocusView(SkinView* view);
    SkinView* focusView() const { return focusView_; }

    void setKnobMode(KnobMode mode) { knobMode_ = mode; }
    KnobMode knobMode() const { return knobMode_; }

  private:
    class Handling;

    FrameHost* host_;
    std::unique_ptr<FrameWindow> window_;
    cairo_surface_t* backing_;
    int width_, height_;
    bool tracking_ = false;
    int handling_ = 0;
    SkinView* focusView_ = nullptr;
    KnobMode knobMode_ = KnobMode::Linear;
};

} // namespace trommik2
