#include "IconArt.h"

#include <cairo.h>

#include "SkinPainter.h"

namespace trommik2 {

namespace {

// Which pads of the 4 x 4 field are lit: a kick-and-snare figure that reads as
// a pattern even at 16 pixels.
constexpr bool kLit[4][4] = {
    {true, false, false, false},
    {false, false, true, false},
    {true, false, true, false},
    {false, true, false, true},
};

void drawIcon(SkinPainter& p) {
    const double size = IconArt::kSize;
    p.gradientBox(8, 8, size - 16, size - 16, 40, skin::kRaised, skin::kDeep);
    p.line(48, 26, size - 48, 26, 3, skin::kEdge, 0.8);
    const double pad = 40, gap = 10, left = (size - 4 * pad - 3 * gap) / 2, top = 44;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const double x = left + column * (pad + gap), y = top + row * (pad + gap);
            if (kLit[row][column])
                p.gradientBox(x, y, pad, pad, 8, skin::kAccent, skin::kAccentDim);
            else
                p.key(x, y, pad, pad, false);
        }
}

} // namespace

bool IconArt::write(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSize, kSize);
    cairo_t* cr = cairo_create(surface);
    SkinPainter painter(cr);
    drawIcon(painter);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

} // namespace trommik2
