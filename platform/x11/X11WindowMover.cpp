#include "X11WindowMover.h"

#include <chrono>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "X11ErrorTrap.h"

namespace trommik2 {
namespace {

bool hasProperty(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format, &count,
                                    &remaining, &data);
    if (data)
        XFree(data);
    return status == Success && type != None;
}

Window parentOf(Display* display, Window window, Window* root) {
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent;
}

constexpr long kMoveAction = 8; // _NET_WM_MOVERESIZE_MOVE

} // namespace

X11WindowMover::X11WindowMover(Display* display, Window inner)
    : display_(display), root_(DefaultRootWindow(display)), topLevel_(inner) {
    X11ErrorTrap trap(display_);
    Atom wmState = XInternAtom(display_, "WM_STATE", False);
    for (Window window = inner; window && window != root_;) {
        topLevel_ = window;
        if (hasProperty(display_, window, wmState))
            break;
        Window root = 0;
        Window parent = parentOf(display_, window, &root);
        if (parent == root)
            break;
        window = parent;
    }
}

bool X11WindowMover::managerMoves() const {
    Atom supported = XInternAtom(display_, "_NET_SUPPORTED", False);
    Atom moveResize = XInternAtom(display_, "_NET_WM_MOVERESIZE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display_, root_, supported, 0, 4096, False, XA_ATOM, &type, &format, &count, &remaining,
                           &data) == Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i)
            found = atoms[i] == moveResize;
    }
    if (data)
        XFree(data);
    return found;
}

void X11WindowMover::drag(int rootX, int rootY, unsigned int button) {
    if (managerMoves())
        askManager(rootX, rootY, button);
    else
        followPointer(rootX, rootY, button);
}

void X11WindowMover::askManager(int rootX, int rootY, unsigned int button) {
    // The manager must be able to grab the pointer our press holds.
    XUngrabPointer(display_, CurrentTime);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = topLevel_;
    event.xclient.message_type = XInternAtom(display_, "_NET_WM_MOVERESIZE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = rootX;
    event.xclient.data.l[1] = rootY;
    event.xclient.data.l[2] = kMoveAction;
    event.xclient.data.l[3] = button;
    event.xclient.data.l[4] = 1; // from a normal application
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display_);
}

void X11WindowMover::followPointer(int rootX, int rootY, unsigned int button) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, topLevel_, &attributes))
        return;
    int startX = attributes.x, startY = attributes.y;
    unsigned int held = Button1Mask << (button - 1);
    int lastX = rootX, lastY = rootY;
    for (;;) {
        Window root = 0, child = 0;
        int x = 0, y = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        if (!XQueryPointer(display_, root_, &root, &child, &x, &y, &winX, &winY, &mask))
            break;
        if (x != lastX || y != lastY) {
            XMoveWindow(display_, topLevel_, startX + x - rootX, startY + y - rootY);
            XFlush(display_);
            lastX = x;
            lastY = y;
        }
        if (!(mask & held))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace trommik2
