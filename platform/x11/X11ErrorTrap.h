#pragma once

#include <X11/Xlib.h>

namespace trommik2 {

// Catches the X errors of the calls made while it lives, so that a bad window id
// from a host fails an operation instead of ending the process through Xlib's
// default handler. Traps nest. User-interface thread.
class X11ErrorTrap {
  public:
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    // Waits for the server to answer everything sent so far and tells whether
    // any of it failed since the trap was set.
    bool failed();

  private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*);
    bool outerFailed_;
};

} // namespace trommik2
