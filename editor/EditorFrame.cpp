#include "EditorFrame.h"

#include "SkinControl.h"

namespace trommik2 {

// Marks the frame busy with input for the life of a handler.
class EditorFrame::Handling {
  public:
    explicit Handling(EditorFrame& frame) : frame_(frame) { ++frame_.handling_; }
    ~Handling() { --frame_.handling_; }

  private:
    EditorFrame& frame_;
};

EditorFrame::EditorFrame(int width, int height, FrameHost* host)
    : PanelView({0, 0, width, height}), host_(host),
      backing_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)), width_(width), height_(height) {
    attach(nullptr, this, {0, 0});
}

EditorFrame::~EditorFrame() {
    window_.reset();
    cairo_surface_destroy(backing_);
}

void EditorFrame::setWindow(std::unique_ptr<FrameWindow> window) {
    window_ = std::move(window);
    setDirty();
}

void EditorFrame::mouseDown(ViewPoint where, int buttons) {
    // Presses that arrive while a view tracks the mouse belong to its gesture.
    if (tracking_)
        return;
    SkinView* view = viewAt(where);
    if (focusView_ && view != focusView_)
        setFocusView(nullptr);
    if (!view || view == this)
        return;
    Handling handling(*this);
    tracking_ = true;
    view->mouseDown(where, buttons);
    tracking_ = false;
    update();
}

bool EditorFrame::wheel(ViewPoint where, float distance, int buttons) {
    if (tracking_)
        return false;
    Handling handling(*this);
    SkinView* view = viewAt(where);
    bool used = view && view != this && view->wheel(where, distance, buttons);
    update();
    return used;
}

bool EditorFrame::keyDown(const X11KeyEvent& key) {
    if (tracking_)
        return false;
    Handling handling(*this);
    bool used = (focusView_ && focusView_->keyDown(key)) || (host_ && host_->keyDown(key));
    if (!used) {
        SkinView* view = viewAt(mouseState().where);
        used = view && view != this && view->keyDown(key);
    }
    update();
    return used;
}

void EditorFrame::mouseMoved(ViewPoint where) {
    if (tracking_)
        return;
    if (SkinView* view = viewAt(where); view && view != this)
        view->mouseMoved(where);
}

void EditorFrame::filesDragged(const std::vector<std::string>& paths, ViewPoint where, bool dropped) {
    if (tracking_ || !host_)
        return;
    Handling handling(*this);
    auto* control = paths.empty() ? nullptr : dynamic_cast<SkinControl*>(viewAt(where));
    host_->filesDragged(control, paths, dropped);
    update();
}

void EditorFrame::exposed(const ViewRect& area) {
    if (window_)
        window_->show(backing_, area.intersection({0, 0, width_, height_}));
}

void EditorFrame::focusChanged(bool gained) {
    if (!gained)
        setFocusView(nullptr);
    if (host_)
        host_->focusChanged(gained);
}

void EditorFrame::update() {
    std::vector<ViewRect> dirty;
    collectDirty(dirty);
    // Overlapping areas are painted once.
    std::vector<ViewRect> areas;
    for (ViewRect area : dirty) {
        for (auto it = areas.begin(); it != areas.end();) {
            if (it->intersects(area)) {
                area = area.united(*it);
                it = areas.erase(it);
            } else {
                ++it;
            }
        }
        areas.push_back(area);
    }
    if (areas.empty())
        return;
    {
        DrawContext context(backing_);
        // Views overlap (the background buttons lie under everything), so an
        // area is painted with everything in it, each view clipped to it.
        for (const ViewRect& area : areas)
            drawArea(context, area);
    }
    cairo_surface_flush(backing_);
    for (const ViewRect& area : areas)
        exposed(area);
}

void EditorFrame::runIdlePump() {
    if (window_)
        window_->waitForInput();
    if (host_)
        host_->idlePump();
    update();
}

MouseState EditorFrame::mouseState() const { return window_ ? window_->mouseState() : MouseState{}; }

uint64_t EditorFrame::now() const { return window_ ? window_->now() : 0; }

void EditorFrame::setSize(int width, int height) {
    width_ = width;
    height_ = height;
    if (window_)
        window_->resize(width, height);
}

void EditorFrame::setCursor(int resource) {
    if (window_)
        window_->setCursor(resource);
}

void EditorFrame::dragWindow(const MouseState& press) {
    if (window_)
        window_->dragWindow(press);
}

void EditorFrame::runMenu(MenuSession& session) {
    if (!window_)
        return;
    Handling handling(*this);
    window_->runMenu(session, [this] {
        if (host_)
            host_->idlePump();
        update();
    });
}

ViewRect EditorFrame::onScreen(const ViewRect& rect) const {
    int x = 0, y = 0;
    if (window_)
        window_->screenPosition(&x, &y);
    return rect.offset(x, y);
}

void EditorFrame::setFocusView(SkinView* view) {
    if (focusView_ == view)
        return;
    SkinView* previous = focusView_;
    focusView_ = view;
    if (previous)
        previous->looseFocus();
}

} // namespace trommik2
