#pragma once

#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace trommik2 {

// Takes files that other programs (file managers) drag onto a window, by the
// XDND protocol (version 5), in the "text/uri-list" form. It always answers
// with the copy action, whatever the source asks: a move would let the source
// delete the user's files. The list is asked for as the drag enters, so that
// hovering can show what would be dropped; XdndFinished goes back to the
// source before the listener hears of the drop. User-interface thread.
class X11DropTarget {
  public:
    class Listener {
      public:
        virtual ~Listener() = default;
        // The paths over a point of the window; an empty list when the drag left
        // (or its list has not arrived yet).
        virtual void filesDragged(const std::vector<std::string>& paths, int x, int y) = 0;
        virtual void filesDropped(const std::vector<std::string>& paths, int x, int y) = 0;
    };

    // Marks the window as a drop target. Sources look for targets among the
    // top-level windows: unless the top-level window that holds this one takes
    // drops itself, it is marked too, with this window as its proxy.
    X11DropTarget(Display* display, Window window, Window topLevel, Listener& listener);
    ~X11DropTarget();
    X11DropTarget(const X11DropTarget&) = delete;
    X11DropTarget& operator=(const X11DropTarget&) = delete;

    // Takes the window's client messages and selection replies; true when
    // the event belonged to a drag.
    bool handle(const XEvent& event);

    // The local paths of a "text/uri-list": "file:" URIs only (with an empty
    // host or "localhost"), percent-decoded; comments and other schemes are left out.
    static std::vector<std::string> pathsFromUriList(const std::string& text);

  private:
    void entered(const XClientMessageEvent& message);
    void moved(const XClientMessageEvent& message);
    void dropped(const XClientMessageEvent& message);
    void arrived(const XSelectionEvent& selection);
    void requestList(Time time);
    void reply(Atom type, long accepted, long action);
    void deliver();
    void reset();
    void proxyFor(Window topLevel);

    Display* display_;
    Window window_;
    Listener& listener_;
    Atom aware_, proxy_, enter_, position_, status_, leave_, drop_, finished_, selection_, typeList_, uriList_, copy_,
        property_;
    // The top-level window this one acts for, 0 for none.
    Window proxied_ = 0;
    Window source_ = 0;
    // The window the source addresses (this one, or the top-level one it acts for).
    Window target_ = 0;
    bool offersUris_ = false;
    bool listArrived_ = false;
    bool dropPending_ = false;
    std::vector<std::string> paths_;
    int x_ = 0, y_ = 0;
};

} // namespace trommik2
