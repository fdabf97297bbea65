#pragma once

#include <cstdlib>
#include <string>

#include <cairo.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <gtest/gtest.h>

namespace trommik2 {

// The pixels of a drawable's width × height from x, y (for the root window: the screen).
inline cairo_surface_t* screenshotOf(Display* display, Drawable drawable, int x0, int y0, int width, int height) {
    XImage* image = XGetImage(display, drawable, x0, y0, width, height, AllPlanes, ZPixmap);
    cairo_surface_t* shot = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(shot));
    int stride = cairo_image_surface_get_stride(shot) / 4;
    for (int y = 0; y < height && image; ++y)
        for (int x = 0; x < width; ++x)
            data[y * stride + x] = static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffff;
    if (image)
        XDestroyImage(image);
    cairo_surface_mark_dirty(shot);
    return shot;
}

// A window's pixels as the server shows them (children included).
inline cairo_surface_t* screenshotOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return screenshotOf(display, window, 0, 0, attributes.width, attributes.height);
}

// Pixels of a that differ from b by more than the tolerance in any channel.
inline int differingPixels(cairo_surface_t* a, cairo_surface_t* b, int tolerance) {
    int width = cairo_image_surface_get_width(a), height = cairo_image_surface_get_height(a);
    if (width != cairo_image_surface_get_width(b) || height != cairo_image_surface_get_height(b))
        return width * height;
    auto pixel = [](cairo_surface_t* s, int x, int y) {
        auto* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
        return reinterpret_cast<uint32_t*>(row)[x];
    };
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixel(a, x, y), q = pixel(b, x, y);
            for (int shift : {0, 8, 16})
                if (std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)) > tolerance) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

// The screenshot against its reference picture in folder, which
// TROMMIK2_REGENERATE_SCREENSHOTS=1 renews. A failing shot is kept beside the
// test's working folder as NAME-actual.png.
inline void compareWithReference(cairo_surface_t* shot, const std::string& folder, const std::string& name) {
    std::string reference = folder + "/" + name + ".png";
    if (std::getenv("TROMMIK2_REGENERATE_SCREENSHOTS")) {
        ASSERT_EQ(cairo_surface_write_to_png(shot, reference.c_str()), CAIRO_STATUS_SUCCESS);
        return;
    }
    cairo_surface_t* expected = cairo_image_surface_create_from_png(reference.c_str());
    ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << "missing " << reference;
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(expected),
                                                         cairo_image_surface_get_height(expected));
    cairo_t* cr = cairo_create(opaque);
    cairo_set_source_surface(cr, expected, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(opaque);
    // Small differences of font rendering between library versions are allowed.
    int differing = differingPixels(shot, opaque, 24);
    int pixels = cairo_image_surface_get_width(shot) * cairo_image_surface_get_height(shot);
    EXPECT_LE(differing, pixels / 200) << name << ": " << differing << " pixels differ";
    if (differing > pixels / 200)
        cairo_surface_write_to_png(shot, (name + "-actual.png").c_str());
    cairo_surface_destroy(opaque);
    cairo_surface_destroy(expected);
}

} // namespace trommik2
