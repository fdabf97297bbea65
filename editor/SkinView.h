#pragma once

#include <memory>

#include "DrawContext.h"
#include "SkinBitmap.h"
#include "ViewGeometry.h"
#include "platform/x11/InputEvents.h"

namespace trommik2 {

class EditorFrame;
class PanelView;

// A rectangle of the editor that draws itself and may take mouse, wheel and
// keys. Rectangles are given in the parent's coordinates and kept in the
// frame's. User-interface thread.
class SkinView {
  public:
    explicit SkinView(const ViewRect& rect) : rect_(rect) {}
    virtual ~SkinView() = default;
    SkinView(const SkinView&) = delete;
    SkinView& operator=(const SkinView&) = delete;

    virtual void draw(DrawContext& context);
    virtual void mouseDown(ViewPoint, int /*buttons*/) {}
    // True when the view used the key or the wheel.
    virtual bool keyDown(const X11KeyEvent&) { return false; }
    virtual bool wheel(ViewPoint, float /*distance*/, int /*buttons*/) { return false; }
    virtual void mouseMoved(ViewPoint) {}
    // The view that takes the mouse at the point: this one, or a child of a container.
    virtual SkinView* viewAt(ViewPoint where);
    // The focus went elsewhere (a text field takes its text then).
    virtual void looseFocus() {}

    bool isDirty() const { return dirty_; }
    void setDirty(bool dirty = true) { dirty_ = dirty; }
    bool mouseEnabled() const { return mouseEnabled_; }
    void setMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    const ViewRect& rect() const { return rect_; }
    void setBackground(std::shared_ptr<SkinBitmap> bitmap) { background_ = std::move(bitmap); }
    const std::shared_ptr<SkinBitmap>& background() const { return background_; }
    void setBackgroundOffset(ViewPoint offset);
    ViewPoint backgroundOffset() const { return backgroundOffset_; }

    EditorFrame* frame() const { return frame_; }
    PanelView* parent() const { return parent_; }
    // Called by the container that takes the view.
    virtual void attach(PanelView* parent, EditorFrame* frame, ViewPoint origin);

  protected:
    // Runs one pass of a mouse-tracking loop: the host keeps painting, the
    // frame repaints, time passes.
    void runIdlePump();

  private:
    ViewRect rect_;
    bool dirty_ = true;
    bool mouseEnabled_ = true;
    bool visible_ = true;
    std::shared_ptr<SkinBitmap> background_;
    ViewPoint backgroundOffset_;
    EditorFrame* frame_ = nullptr;
    PanelView* parent_ = nullptr;
};

} // namespace trommik2
