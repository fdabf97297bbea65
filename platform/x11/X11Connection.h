#pragma once

#include <X11/Xlib.h>

namespace trommik2 {

// Receives the events of the windows registered for it.
class X11EventSink {
  public:
    virtual ~X11EventSink() = default;
    virtual void handleEvent(const XEvent& event) = 0;
};

struct X11Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The module's own connection to the X server: opened on first use, closed when
// its last user lets go. Hosts run their own connections; ours is drained from
// the host's idle call. All operations: user-interface thread.
class X11Connection {
  public:
    // The connection, opened when it is not yet; nullptr without a display (no
    // DISPLAY, or the server refuses). Each successful acquire needs a release.
    static Display* acquire();
    static void release();
    // The open connection or nullptr.
    static Display* display();

    static void attach(Window window, X11EventSink* sink);
    static void detach(Window window);
    // Client messages of the given types that name window from go to the sink
    // of window to (a drop target acting for the top-level window that holds
    // it); 0 as to ends it.
    static void forwardClientMessages(Window from, Window to, const Atom (&types)[4]);
    // Hands every pending event to the sink of its window; events of windows
    // that are gone are dropped.
    static void drainEvents();

    // While a window is modal (a dialog), input for every other window is
    // dropped; 0 ends it. Answers the window modal before.
    static Window setModal(Window window);

    // The default screen's rectangle in root coordinates.
    static X11Rect screenBounds();
};

} // namespace trommik2
