#include "X11Connection.h"

#include <algorithm>
#include <array>
#include <map>

namespace trommik2 {
namespace {

struct ConnectionState {
    Display* display = nullptr;
    int users = 0;
    std::map<Window, X11EventSink*> sinks;
    Window modal = 0;
    struct Forward {
        Window to;
        std::array<Atom, 4> types;
    };
    std::map<Window, Forward> forwards;
};

// The window whose sink takes the event: its own, or the one its client messages go to.
Window receiver(const ConnectionState& s, const XEvent& event) {
    auto it = s.forwards.find(event.xany.window);
    if (event.type != ClientMessage || it == s.forwards.end())
        return event.xany.window;
    const auto& types = it->second.types;
    const bool forwarded = std::find(types.begin(), types.end(), event.xclient.message_type) != types.end();
    return forwarded ? it->second.to : event.xany.window;
}

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
    s.forwards.clear();
}

Display* X11Connection::display() { return state().display; }

void X11Connection::attach(Window window, X11EventSink* sink) { state().sinks[window] = sink; }

void X11Connection::detach(Window window) {
    state().sinks.erase(window);
    if (state().modal == window)
        state().modal = 0;
}

void X11Connection::forwardClientMessages(Window from, Window to, const Atom (&types)[4]) {
    if (!to) {
        state().forwards.erase(from);
        return;
    }
    ConnectionState::Forward& forward = state().forwards[from];
    forward.to = to;
    std::copy(std::begin(types), std::end(types), forward.types.begin());
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
        auto it = s.sinks.find(receiver(s, event));
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
