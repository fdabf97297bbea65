#include "HostStrip.h"

#include <cstdio>

#include <cairo.h>

#include <X11/Xutil.h>

namespace {

constexpr double kBackground[] = {0.122, 0.133, 0.153};
constexpr double kText[] = {0.855, 0.871, 0.894};
constexpr double kLabel[] = {0.560, 0.600, 0.650};
constexpr double kAccent[] = {1.000, 0.650, 0.190};

void colour(cairo_t* cr, const double* c) { cairo_set_source_rgb(cr, c[0], c[1], c[2]); }

void text(cairo_t* cr, double x, const std::string& words, const double* c) {
    colour(cr, c);
    cairo_move_to(cr, x, 25);
    cairo_show_text(cr, words.c_str());
}

} // namespace

void HostStrip::show(Display* display, Window window, int top, const State& state) {
    if (!stale_ && state == shown_ && top == top_)
        return;
    shown_ = state;
    top_ = top;
    stale_ = false;
    draw(display, window);
}

void HostStrip::handle(const XEvent& event, Input* input) {
    if (event.type == Expose) {
        stale_ = true;
    } else if (event.type == ButtonPress && event.xbutton.y >= top_) {
        const bool fine = (event.xbutton.state & ShiftMask) != 0;
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5)
            input->tempoChange += (event.xbutton.button == Button4 ? 1.0f : -1.0f) * (fine ? 0.1f : 1.0f);
        else if (event.xbutton.button == Button1)
            input->toggle = true;
    }
}

// Drawn into an image and put on the window whole, so that no drawing state
// of ours stays with the display connection.
void HostStrip::draw(Display* display, Window window) const {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    colour(cr, kBackground);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 12);
    char line[96];
    std::snprintf(line, sizeof line, "%.1f BPM", static_cast<double>(shown_.tempo));
    text(cr, 12, line, kText);
    text(cr, 110, shown_.playing ? "PLAYING" : "STOPPED", shown_.playing ? kAccent : kLabel);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    std::snprintf(line, sizeof line, "%s  %u Hz / %u", shown_.device.c_str(), shown_.rate, shown_.buffer);
    text(cr, 210, line, kLabel);
    std::snprintf(line, sizeof line, "CPU %.0f %%", 100.0 * shown_.load);
    text(cr, 560, line, kLabel);
    std::snprintf(line, sizeof line, "%lld xruns", static_cast<long long>(shown_.xruns));
    text(cr, 660, line, shown_.xruns > 0 ? kAccent : kLabel);
    text(cr, kWidth - 80, "MIDI", kLabel);
    cairo_arc(cr, kWidth - 24, 21, 5, 0, 6.2832);
    colour(cr, shown_.midi ? kAccent : kLabel);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const int screen = DefaultScreen(display);
    XImage* image = XCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap, 0,
                                 reinterpret_cast<char*>(cairo_image_surface_get_data(surface)), kWidth, kHeight, 32,
                                 cairo_image_surface_get_stride(surface));
    if (image) {
        GC gc = XCreateGC(display, window, 0, nullptr);
        XPutImage(display, window, gc, image, 0, 0, 0, top_, kWidth, kHeight);
        XFreeGC(display, gc);
        image->data = nullptr; // the surface's
        XDestroyImage(image);
    }
    cairo_surface_destroy(surface);
    XFlush(display);
}
