#pragma once

#include <functional>
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

    // False without a display. An unmapped window shows with show().
    bool open(const std::string& title, int width = 420, int height = 48, bool mapped = true);
    void show();
    Window id() const { return window_; }
    Display* display() const { return display_; }
    // Moves the window to x, y of the screen unless it is there already.
    void moveTo(int x, int y);
    void resize(int width, int height);
    // Takes another client's top-level window (the editor's wrapper) in as a
    // child at 0, 0, with its marks for drag and drop, and reports its size
    // changes and its end to pump(); false when the window is gone.
    bool adopt(Window child);
    // Where another window of the server (the editor's) shows on the screen, and
    // its size; false when it is gone.
    bool placeOf(Window window, int* x, int* y, int* width, int* height);
    // Takes in the window's events and those of an adopted child, handing them
    // to onEvent; false once the user closed the window.
    bool pump(const std::function<void(const XEvent&)>& onEvent = {});
    // A screenshot of any window of the server (the editor's wrapper) as a PNG;
    // false when the window cannot be read or the file not written.
    bool screenshot(Window window, const std::string& path);

  private:
    void takeDropMarks(Window child);

    Display* display_ = nullptr;
    Window window_ = 0;
    Atom deleteAtom_ = 0;
    int x_ = 0;
    int y_ = 0;
};
