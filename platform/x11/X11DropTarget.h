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

    // Marks the window as a drop target.
    X11DropTarget(Display* display, Window window, Listener& listener);

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

    Display* display_;
    Window window_;
    Listener& listener_;
    Atom aware_, enter_, position_, status_, leave_, drop_, finished_, selection_, typeList_, uriList_, copy_,
        property_;
    Window source_ = 0;
    bool offersUris_ = false;
    bool listArrived_ = false;
    bool dropPending_ = false;
    std::vector<std::string> paths_;
    int x_ = 0, y_ = 0;
};

} // namespace trommik2
