#pragma once

#include <X11/Xlib.h>

namespace trommik2 {

// Moves the top-level window that holds a window with the pointer, as a drag on
// its caption would. User-interface thread.
class X11WindowMover {
  public:
    X11WindowMover(Display* display, Window inner);

    // The window the window manager knows as a client (the first ancestor with
    // WM_STATE), else the child of the root that holds the window.
    Window topLevel() const { return topLevel_; }
    // Runs until the button is released (own loop) or until the window manager
    // has taken over the move.
    void drag(int rootX, int rootY, unsigned int button);

  private:
    bool managerMoves() const;
    void askManager(int rootX, int rootY, unsigned int button);
    void followPointer(int rootX, int rootY, unsigned int button);

    Display* display_;
    Window root_;
    Window topLevel_;
};

} // namespace trommik2
