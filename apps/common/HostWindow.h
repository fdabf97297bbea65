#pragma once

#include <string>

#include <X11/Xlib.h>

// A host's own top-level window on a connection of its own, the parent that
// the module's editor window stays with. User-interface thread.
class HostWindow {
  public:
    HostWindow() = default;
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // False without a display.
    bool open(const std::string& title);
    Window id() const { return window_; }
    // Takes in the window's events; false once the user closed it.
    bool pump();
    // A screenshot of any window of the server (the editor's wrapper) as a PNG;
    // false when the window cannot be read or the file not written.
    bool screenshot(Window window, const std::string& path);

  private:
    Display* display_ = nullptr;
    Window window_ = 0;
    Atom deleteAtom_ = 0;
};
