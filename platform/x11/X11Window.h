#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "X11Connection.h"
#include "X11Input.h"

namespace trommik2 {

// What a window tells its owner. User-interface thread, from
// X11Connection::drainEvents.
class X11WindowListener {
  public:
    virtual ~X11WindowListener() = default;
    virtual void exposed(const X11Rect&) {}
    virtual void mouseDown(const X11PointerEvent&) {}
    virtual void mouseUp(const X11PointerEvent&) {}
    virtual void mouseMoved(const X11PointerEvent&) {}
    virtual void wheel(const X11PointerEvent&, int /*distance*/) {}
    virtual void keyDown(const X11KeyEvent&) {}
    virtual void keyUp(const X11KeyEvent&) {}
    virtual void focusChanged(bool /*gained*/) {}
    virtual void mapped() {}
    // The window manager's close button or key on a top-level window.
    virtual void closeRequested() {}
    // Client messages of other protocols and selection replies (drag and drop).
    virtual void otherEvent(const XEvent&) {}
};

// How an undecorated top-level window is made (the host binding's wrapper).
struct X11TopLevelSpec {
    Window transientFor = 0; // 0: none
    int x = 0, y = 0, width = 1, height = 1;
    std::string title;     // WM_NAME
    std::string className; // WM_CLASS, name and class alike
    // Window-manager decoration (title bar, border): dialogs want it.
    bool decorated = false;
    // Placed by us alone, above everything, never managed (pop-up menus).
    bool overrideRedirect = false;
};

// One window on the module's connection, in the screen's default visual.
// Holds the connection while it lives. All operations: user-interface thread.
class X11Window : private X11EventSink {
  public:
    // A mapped child of any X window (of this or another client); nullptr
    // without a display or when the parent is no window.
    static std::unique_ptr<X11Window> openChild(Window parent, int width, int height, X11WindowListener* listener);
    // An undecorated top-level window, mapped; nullptr without a display or
    // when the window cannot be made. The listener may be null.
    static std::unique_ptr<X11Window> openTopLevel(const X11TopLevelSpec& spec, X11WindowListener* listener);
    ~X11Window() override;
    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    Window id() const { return window_; }
    Display* display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void resize(int width, int height);
    void move(int x, int y);
    // The window's top-left corner on the screen; false when it cannot be read.
    bool screenPosition(int* x, int* y) const;
    // Copies the area of an image (pixels 0x00RRGGBB, rows of stride pixels,
    // the window's size or larger) to the same place in the window.
    void putImage(const uint32_t* pixels, int stride, const X11Rect& area);
    // Cursor resources 4000..4004; any other number gives the arrow.
    void setCursor(int resource);
    // Asks for the keyboard focus once the window is viewable.
    void takeFocus();
    // Sends every pointer and key event of the display to this window (a
    // pop-up menu's); the others' pointer events keep going to them. Retried
    // for a short while, as another grab may still be ending. True when held.
    bool grabInput();
    void releaseInput();
    // The top-level window that holds this one (itself when it is one).
    Window topLevel() const;
    // The global mouse state, in this window's coordinates.
    X11PointerEvent pointerState() const;
    // Moves the top-level window that holds this one with the pointer until the
    // button of the press is released: through the window manager where it
    // offers that, else in a pointer loop of our own.
    void dragTopLevel(const X11PointerEvent& press);

  private:
    X11Window(Display* display, Window window, int width, int height, X11WindowListener* listener);
    // A mapped window; parent 0 is the root. Top-level windows get their names and hints.
    static std::unique_ptr<X11Window> create(Window parent, const X11Rect& place, const X11TopLevelSpec* topLevel,
                                             X11WindowListener* listener);
    void handleEvent(const XEvent& event) override;
    void focusIfViewable();

    Display* display_;
    Window window_;
    int width_, height_;
    X11WindowListener* listener_;
    GC gc_;
    int cursor_ = 0;
    bool viewable_ = false;
    bool focusWanted_ = false;
};

} // namespace trommik2
