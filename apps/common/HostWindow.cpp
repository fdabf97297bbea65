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

bool HostWindow::open(const std::string& title) {
    display_ = XOpenDisplay(nullptr);
    if (!display_)
        return false;
    int screen = DefaultScreen(display_);
    window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, 420, 48, 0,
                                  BlackPixel(display_, screen), 0x1f2227);
    XStoreName(display_, window_, title.c_str());
    deleteAtom_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display_, window_, &deleteAtom_, 1);
    XSelectInput(display_, window_, StructureNotifyMask);
    XMapWindow(display_, window_);
    XSync(display_, False);
    return true;
}

bool HostWindow::pump() {
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteAtom_)
            return false;
    }
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
