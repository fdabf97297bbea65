#pragma once

#include <string>

#include <cairo.h>

#include "SkinBitmap.h"
#include "ViewGeometry.h"
#include "resources/SkinTheme.h"

namespace trommik2 {

enum class TextAlign { Left, Centre, Right };

// Drawing on one cairo surface (the frame's backing image, or an offscreen
// picture of a view) in the editor's coordinates. User-interface thread.
class DrawContext {
  public:
    explicit DrawContext(cairo_surface_t* target);
    ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    cairo_t* cairo() const { return cr_; }

    // Limits drawing to the rectangle until the matching popClip.
    void pushClip(const ViewRect& rect);
    void popClip();

    void fillRect(const ViewRect& rect, SkinColour colour, double alpha = 1.0);
    void frameRect(const ViewRect& rect, SkinColour colour);
    void line(ViewPoint from, ViewPoint to, SkinColour colour);
    // Single-line text, vertically centred in the rectangle and clipped to it.
    void text(const std::string& text, const ViewRect& rect, SkinColour colour, TextAlign align = TextAlign::Left,
              double size = 9, bool bold = false);
    // Copies the part of the bitmap that starts at source into the rectangle;
    // the pictures' own transparency shows the background.
    void bitmap(const SkinBitmap& bitmap, const ViewRect& rect, ViewPoint source);

    // How wide the text is drawn, in pixels.
    static double textWidth(const std::string& text, double size = 9, bool bold = false);

  private:
    cairo_t* cr_;
};

} // namespace trommik2
