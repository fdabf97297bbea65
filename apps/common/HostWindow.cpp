#include "HostWindow.h"

#include <cairo.h>

#include <X11/Xutil.h>

HostWindow::~HostWindow() {
    if (!display_)
        return;
    if (window_)
        XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

bool HostWindow::open(const std::string& title, int width, int height, bool mapped) {
    display_ = XOpenDisplay(nullptr);
    if (!display_)
        return false;
    int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, width, height, 0,
                                  BlackPixel(display_, screen), 0x1f2227);
    XStoreName(display_, window_, title.c_str());
    deleteAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteAtom_, 1);
    XSelectInput(display_, window_, StructureNotifyMask | ExposureMask | ButtonPressMask);
    if (mapped)
        show();
    return true;
}

void HostWindow::show() {
    XMapWindow(display_, window_);
    XSync(display_, False);
}

bool HostWindow::pump(const std::function<void(const XEvent&)>& onEvent) {
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteAtom_)
            return false;
        if (onEvent)
            onEvent(event);
    }
    return true;
}

void HostWindow::moveTo(int x, int y) {
    if (x == x_ && y == y_)
        return;
    x_ = x;
    y_ = y;
    XMoveWindow(display_, window_, x, y);
    XFlush(display_);
}

void HostWindow::resize(int width, int height) {
    XResizeWindow(display_, window_, width, height);
    XFlush(display_);
}

// Withdrawn first, so that a window manager lets go of it before it moves in.
bool HostWindow::adopt(Window child) {
    XWindowAttributes attributes;
    if (!child || !XGetWindowAttributes(display_, child, &attributes))
        return false;
    XSelectInput(display_, child, StructureNotifyMask);
    XWithdrawWindow(display_, child, DefaultScreen(display_));
    XReparentWindow(display_, child, window_, 0, 0);
    XMapWindow(display_, child);
    takeDropMarks(child);
    XSync(display_, False);
    return true;
}

// File managers offer drops to top-level windows only: the marks the child
// carried as one (drops welcome, and the window that takes them) pass to ours.
void HostWindow::takeDropMarks(Window child) {
    for (const char* name : {"XdndAware", "XdndProxy"}) {
        const Atom property = XInternAtom(display_, name, False);
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, child, property, 0, 1, False, AnyPropertyType, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1 && format == 32)
            XChangeProperty(display_, window_, property, type, 32, PropModeReplace, data, 1);
        if (data)
            XFree(data);
    }
}

bool HostWindow::placeOf(Window window, int* x, int* y, int* width, int* height) {
    XWindowAttributes attributes;
    Window child = 0;
    if (!window || !XGetWindowAttributes(display_, window, &attributes) ||
        !XTranslateCoordinates(display_, window, attributes.root, 0, 0, x, y, &child))
        return false;
    *width = attributes.width;
    *height = attributes.height;
    return true;
}

bool HostWindow::screenshot(Window window, const std::string& path) {
    XWindowAttributes attributes;
    if (!window || !XGetWindowAttributes(display_, window, &attributes))
        return false;
    XImage* image = XGetImage(display_, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return false;
    cairo_surface_t* shot = cairo_image_surface_create(CAIRO_FORMAT_RGB24, attributes.width, attributes.height);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(shot));
    int stride = cairo_image_surface_get_stride(shot) / 4;
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            data[y * stride + x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffff;
    XDestroyImage(image);
    cairo_surface_mark_dirty(shot);
    bool written = cairo_surface_write_to_png(shot, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(shot);
    return written;
}
