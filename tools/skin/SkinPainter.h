#pragma once

#include <string>

#include <cairo.h>

#include "resources/SkinTheme.h"

namespace trommik2 {

// Drawing primitives of the skin generator on one cairo context: the few
// shapes every picture is made of, in the theme's colours.
class SkinPainter {
  public:
    explicit SkinPainter(cairo_t* cr) : cr_(cr) {}

    cairo_t* cairo() const { return cr_; }

    void roundedRect(double x, double y, double w, double h, double radius);
    void fill(double x, double y, double w, double h, SkinColour colour, double alpha = 1.0);
    // A vertical gradient from top to bottom colour inside a rounded rectangle.
    void gradientBox(double x, double y, double w, double h, double radius, SkinColour top, SkinColour bottom);
    // A raised key: dark outline, gradient face, a light top edge; pressed keys sink.
    void key(double x, double y, double w, double h, bool pressed);
    // A sunken well: inner shadow at the top, a faint light edge below.
    void well(double x, double y, double w, double h, double radius);
    // A small round lamp, lit with a soft glow or dark.
    void lamp(double cx, double cy, double radius, SkinColour colour, bool lit);
    // Text centred in the box, or starting at x when not centred.
    void text(const std::string& text, double x, double y, double w, double h, double size, bool bold,
              SkinColour colour, bool centred = true);
    // A named symbol (play, stop, previous, next, save, close, help, ...) in the box.
    void glyph(const std::string& name, double x, double y, double w, double h, SkinColour colour);
    void line(double x0, double y0, double x1, double y1, double width, SkinColour colour, double alpha = 1.0);

  private:
    void triangle(double x0, double y0, double x1, double y1, double x2, double y2);

    cairo_t* cr_;
};

} // namespace trommik2
