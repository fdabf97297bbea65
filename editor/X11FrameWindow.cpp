#include "X11FrameWindow.h"

#include <chrono>
#include <thread>

#include "EditorFrame.h"
#include "X11MenuWindows.h"

namespace trommik2 {

std::unique_ptr<X11FrameWindow> X11FrameWindow::open(uintptr_t parent, EditorFrame& frame) {
    std::unique_ptr<X11FrameWindow> window(new X11FrameWindow(frame));
    window->window_ = X11Window::openChild(static_cast<Window>(parent), frame.width(), frame.height(), window.get());
    if (!window->window_)
        return nullptr;
    window->drop_ =
        std::make_unique<X11DropTarget>(window->window_->display(), window->window_->id(), window->window_->topLevel(),
                                        static_cast<X11DropTarget::Listener&>(*window));
    return window;
}

MouseState X11FrameWindow::mouseState() {
    X11PointerEvent pointer = window_->pointerState();
    return {{pointer.x, pointer.y}, pointer.buttons};
}

uint64_t X11FrameWindow::now() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void X11FrameWindow::waitForInput() {
    // The loop reads the pointer itself; the events matter for painting and focus.
    pollInput();
    std::this_thread::sleep_for(std::chrono::milliseconds(4));
}

void X11FrameWindow::pollInput() { X11Connection::drainEvents(); }

void X11FrameWindow::show(cairo_surface_t* backing, const ViewRect& area) {
    if (area.empty())
        return;
    const auto* pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(backing));
    window_->putImage(pixels, cairo_image_surface_get_stride(backing) / 4,
                      {area.left, area.top, area.width(), area.height()});
    XFlush(window_->display());
}

void X11FrameWindow::resize(int width, int height) { window_->resize(width, height); }

void X11FrameWindow::setCursor(int resource) { window_->setCursor(resource); }

void X11FrameWindow::dragWindow(const MouseState& press) {
    X11PointerEvent event = lastPress_;
    event.buttons = press.buttons;
    window_->dragTopLevel(event);
}

bool X11FrameWindow::screenPosition(int* x, int* y) { return window_->screenPosition(x, y); }

void X11FrameWindow::takeFocus() { window_->takeFocus(); }

uintptr_t X11FrameWindow::systemWindow() const { return window_->id(); }

ViewRect X11FrameWindow::screenBounds() {
    X11Rect screen = X11Connection::screenBounds();
    return {screen.x, screen.y, screen.x + screen.width, screen.y + screen.height};
}

void X11FrameWindow::runMenu(MenuSession& session, const std::function<void()>& pump) {
    X11MenuWindows(session).run(pump);
}

void X11FrameWindow::exposed(const X11Rect& area) {
    frame_.exposed({area.x, area.y, area.x + area.width, area.y + area.height});
}

void X11FrameWindow::mouseDown(const X11PointerEvent& event) {
    if (frame_.tracking())
        return;
    lastPress_ = event;
    frame_.mouseDown({event.x, event.y}, event.buttons);
}

void X11FrameWindow::mouseMoved(const X11PointerEvent& event) { frame_.mouseMoved({event.x, event.y}); }

void X11FrameWindow::wheel(const X11PointerEvent& event, int distance) {
    frame_.wheel({event.x, event.y}, static_cast<float>(distance), event.buttons);
}

void X11FrameWindow::keyDown(const X11KeyEvent& key) { frame_.keyDown(key); }

void X11FrameWindow::focusChanged(bool gained) { frame_.focusChanged(gained); }

void X11FrameWindow::otherEvent(const XEvent& event) { drop_->handle(event); }

void X11FrameWindow::filesDragged(const std::vector<std::string>& paths, int x, int y) {
    frame_.filesDragged(paths, {x, y}, false);
}

void X11FrameWindow::filesDropped(const std::vector<std::string>& paths, int x, int y) {
    frame_.filesDragged(paths, {x, y}, true);
}

} // namespace trommik2
