#include "X11Window.h"

#include <bit>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "X11Cursors.h"
#include "X11ErrorTrap.h"
#include "X11WindowMover.h"

namespace trommik2 {
namespace {

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            KeyReleaseMask | FocusChangeMask | StructureNotifyMask;

// Motif's hints are what window managers read to leave out the decoration.
void removeDecoration(Display* display, Window window) {
    struct {
        unsigned long flags, functions, decorations;
        long inputMode;
        unsigned long status;
    } hints{2, 0, 0, 0, 0};
    Atom atom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, atom, atom, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&hints), 5);
}

void describeTopLevel(Display* display, Window window, const X11TopLevelSpec& spec) {
    if (spec.overrideRedirect) {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.save_under = True;
        XChangeWindowAttributes(display, window, CWOverrideRedirect | CWSaveUnder, &attributes);
    }
    XStoreName(display, window, spec.title.c_str());
    std::string className = spec.className;
    XClassHint hint{className.data(), className.data()};
    XSetClassHint(display, window, &hint);
    if (!spec.decorated)
        removeDecoration(display, window);
    if (spec.transientFor)
        XSetTransientForHint(display, window, spec.transientFor);
    // Asked to close, not killed: a window manager kills the connections of
    // windows that do not take part in the protocol.
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    // Keep the place we were given; window managers otherwise choose one.
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = spec.x;
    hints.y = spec.y;
    XSetWMNormalHints(display, window, &hints);
}

// A pixel of the default visual from 8-bit red, green and blue.
unsigned long visualPixel(const Visual* visual, uint32_t rgb) {
    auto channel = [](unsigned long mask, uint32_t value) {
        if (!mask)
            return 0ul;
        int shift = __builtin_ctzl(mask);
        int bits = __builtin_popcountl(mask);
        unsigned long scaled = bits >= 8 ? value << (bits - 8) : value >> (8 - bits);
        return (scaled << shift) & mask;
    };
    return channel(visual->red_mask, (rgb >> 16) & 0xff) | channel(visual->green_mask, (rgb >> 8) & 0xff) |
           channel(visual->blue_mask, rgb & 0xff);
}

// The listener of windows whose owner wants none of their events (the wrapper).
X11WindowListener ignoring;

} // namespace

X11Window::X11Window(Display* display, Window window, int width, int height, X11WindowListener* listener)
    : display_(display), window_(window), width_(width), height_(height), listener_(listener ? listener : &ignoring),
      gc_(XCreateGC(display, window, 0, nullptr)) {
    X11Connection::attach(window_, this);
}

std::unique_ptr<X11Window> X11Window::create(Window parent, const X11Rect& place, const X11TopLevelSpec* topLevel,
                                             X11WindowListener* listener) {
    Display* display = X11Connection::acquire();
    if (!display)
        return nullptr;
    Window window = 0;
    {
        X11ErrorTrap trap(display);
        int screen = DefaultScreen(display);
        window =
            XCreateSimpleWindow(display, parent ? parent : RootWindow(display, screen), place.x, place.y, place.width,
                                place.height, 0, BlackPixel(display, screen), BlackPixel(display, screen));
        if (window && topLevel)
            describeTopLevel(display, window, *topLevel);
        if (trap.failed() && window) {
            XDestroyWindow(display, window);
            window = 0;
        }
    }
    if (!window) {
        X11Connection::release();
        return nullptr;
    }
    XSelectInput(display, window, kEventMask);
    XMapWindow(display, window);
    return std::unique_ptr<X11Window>(new X11Window(display, window, place.width, place.height, listener));
}

std::unique_ptr<X11Window> X11Window::openChild(Window parent, int width, int height, X11WindowListener* listener) {
    if (!parent)
        return nullptr;
    return create(parent, {0, 0, width, height}, nullptr, listener);
}

std::unique_ptr<X11Window> X11Window::openTopLevel(const X11TopLevelSpec& spec, X11WindowListener* listener) {
    return create(0, {spec.x, spec.y, spec.width, spec.height}, &spec, listener);
}

X11Window::~X11Window() {
    X11Connection::detach(window_);
    XFreeGC(display_, gc_);
    {
        // The parent may have gone first: a host that destroyed its window
        // took ours with it.
        X11ErrorTrap trap(display_);
        XDestroyWindow(display_, window_);
    }
    X11Connection::release();
}

void X11Window::resize(int width, int height) {
    width_ = width;
    height_ = height;
    X11ErrorTrap trap(display_);
    XResizeWindow(display_, window_, width, height);
}

void X11Window::putImage(const uint32_t* pixels, int stride, const X11Rect& area) {
    if (area.width <= 0 || area.height <= 0)
        return;
    int screen = DefaultScreen(display_);
    Visual* visual = DefaultVisual(display_, screen);
    XImage* image = XCreateImage(display_, visual, DefaultDepth(display_, screen), ZPixmap, 0, nullptr, area.width,
                                 area.height, 32, 0);
    if (!image)
        return;
    image->data = static_cast<char*>(std::malloc(size_t(image->bytes_per_line) * area.height));
    // The usual visual takes the rows as they are; others pixel by pixel.
    bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                  std::endian::native == std::endian::little && visual->red_mask == 0xff0000 &&
                  visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
    if (image->data) {
        for (int y = 0; y < area.height; ++y) {
            const uint32_t* row = pixels + size_t(area.y + y) * stride + area.x;
            if (direct)
                std::memcpy(image->data + size_t(y) * image->bytes_per_line, row, size_t(area.width) * 4);
            else
                for (int x = 0; x < area.width; ++x)
                    XPutPixel(image, x, y, visualPixel(visual, row[x]));
        }
        X11ErrorTrap trap(display_);
        XPutImage(display_, window_, gc_, image, 0, 0, area.x, area.y, area.width, area.height);
    }
    XDestroyImage(image);
}

void X11Window::move(int x, int y) {
    X11ErrorTrap trap(display_);
    XMoveWindow(display_, window_, x, y);
}

bool X11Window::screenPosition(int* x, int* y) const {
    X11ErrorTrap trap(display_);
    Window child = 0;
    bool ok = XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, x, y, &child);
    return ok && !trap.failed();
}

void X11Window::setCursor(int resource) {
    if (resource == cursor_)
        return;
    cursor_ = resource;
    Cursor cursor = XCreateFontCursor(display_, cursorShape(resource));
    XDefineCursor(display_, window_, cursor);
    XFreeCursor(display_, cursor);
    XFlush(display_);
}

void X11Window::takeFocus() {
    focusWanted_ = true;
    focusIfViewable();
}

void X11Window::focusIfViewable() {
    if (!focusWanted_ || !viewable_)
        return;
    X11ErrorTrap trap(display_);
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    // Not viewable after all (a parent still unmapped): try again at the next exposure.
    focusWanted_ = trap.failed();
}

bool X11Window::grabInput() {
    constexpr unsigned int kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    for (int attempt = 0; attempt < 50; ++attempt) {
        int pointer = XGrabPointer(display_, window_, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                                   CurrentTime);
        // Keys always come to this window, even while another of ours has the focus.
        int keyboard = pointer == GrabSuccess
                           ? XGrabKeyboard(display_, window_, False, GrabModeAsync, GrabModeAsync, CurrentTime)
                           : GrabNotViewable;
        if (keyboard == GrabSuccess)
            return true;
        if (pointer == GrabSuccess)
            XUngrabPointer(display_, CurrentTime);
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    return false;
}

void X11Window::releaseInput() {
    XUngrabKeyboard(display_, CurrentTime);
    XUngrabPointer(display_, CurrentTime);
    XFlush(display_);
}

Window X11Window::topLevel() const {
    X11ErrorTrap trap(display_);
    Window at = window_;
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, at, &root, &parent, &children, &count))
            return at;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return at;
        at = parent;
    }
}

X11PointerEvent X11Window::pointerState() const {
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    X11ErrorTrap trap(display_);
    if (!XQueryPointer(display_, window_, &root, &child, &rootX, &rootY, &x, &y, &mask))
        return {};
    return {x, y, rootX, rootY, X11Input::stateBits(mask)};
}

void X11Window::dragTopLevel(const X11PointerEvent& press) {
    unsigned int button = press.buttons & kMouseRight ? Button3 : press.buttons & kMouseMiddle ? Button2 : Button1;
    X11ErrorTrap trap(display_);
    X11WindowMover(display_, window_).drag(press.rootX, press.rootY, button);
}

void X11Window::handleEvent(const XEvent& event) {
    switch (event.type) {
    case Expose:
        viewable_ = true;
        focusIfViewable();
        listener_->exposed({event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height});
        break;
    case ButtonPress:
        if (int distance = X11Input::wheelDistance(event.xbutton.button))
            listener_->wheel(X11Input::pointer(event.xbutton), distance);
        else
            listener_->mouseDown(X11Input::pointer(event.xbutton));
        break;
    case ButtonRelease:
        if (!X11Input::wheelDistance(event.xbutton.button))
            listener_->mouseUp(X11Input::pointer(event.xbutton));
        break;
    case MotionNotify: listener_->mouseMoved(X11Input::pointer(event.xmotion)); break;
    case KeyPress: listener_->keyDown(X11Input::key(event.xkey)); break;
    case KeyRelease: listener_->keyUp(X11Input::key(event.xkey)); break;
    case FocusIn:
    case FocusOut:
        // Pointer-only focus changes concern the window below the pointer, not
        // us; a grab (our own pop-up menu's) only borrows the keys.
        if (event.xfocus.detail != NotifyPointer && event.xfocus.mode != NotifyGrab &&
            event.xfocus.mode != NotifyUngrab)
            listener_->focusChanged(event.type == FocusIn);
        break;
    case MapNotify: listener_->mapped(); break;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == XInternAtom(display_, "WM_DELETE_WINDOW", True))
            listener_->closeRequested();
        else
            listener_->otherEvent(event);
        break;
    case SelectionNotify: listener_->otherEvent(event); break;
    case UnmapNotify: viewable_ = false; break;
    default: break;
    }
}

} // namespace trommik2
