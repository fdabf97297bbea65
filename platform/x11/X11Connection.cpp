#include "X11Connection.h"

#include <map>

namespace trommik2 {
namespace {

struct ConnectionState {
    Display* display = nullptr;
    int users = 0;
    std::map<Window, X11EventSink*> sinks;
    Window modal = 0;
};

bool isInput(int type) {
    return type == ButtonPress || type == ButtonRelease || type == MotionNotify || type == KeyPress ||
           type == KeyRelease;
}

ConnectionState& state() {
    static ConnectionState connection;
    return connection;
}

} // namespace

Display* X11Connection::acquire() {
    ConnectionState& s = state();
    if (!s.display)
        s.display = XOpenDisplay(nullptr);
    if (s.display)
        ++s.users;
    return s.display;
}

void X11Connection::release() {
    ConnectionState& s = state();
    if (s.users == 0 || --s.users > 0)
        return;
    XCloseDisplay(s.display);
    s.display = nullptr;
    s.sinks.clear();
}

Display* X11Connection::display() { return state().display; }

void X11Connection::attach(Window window, X11EventSink* sink) { state().sinks[window] = sink; }

void X11Connection::detach(Window window) {
    state().sinks.erase(window);
    if (state().modal == window)
        state().modal = 0;
}

Window X11Connection::setModal(Window window) {
    Window previous = state().modal;
    state().modal = window;
    return previous;
}

void X11Connection::drainEvents() {
    ConnectionState& s = state();
    while (s.display && XPending(s.display) > 0) {
        XEvent event;
        XNextEvent(s.display, &event);
        // While a dialog is up, the other windows paint but take no input.
        if (s.modal && isInput(event.type) && event.xany.window != s.modal)
            continue;
        // A handler may close windows, even the last one, so look up each time.
        auto it = s.sinks.find(event.xany.window);
        if (it != s.sinks.end())
            it->second->handleEvent(event);
    }
}

X11Rect X11Connection::screenBounds() {
    Display* display = state().display;
    if (!display)
        return {};
    int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

} // namespace trommik2
