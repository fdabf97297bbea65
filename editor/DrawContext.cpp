#include "DrawContext.h"

#include <cmath>

namespace trommik2 {

DrawContext::DrawContext(cairo_surface_t* target) : cr_(cairo_create(target)) {}

DrawContext::~DrawContext() { cairo_destroy(cr_); }

void DrawContext::pushClip(const ViewRect& rect) {
    cairo_save(cr_);
    cairo_rectangle(cr_, rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr_);
}

void DrawContext::popClip() { cairo_restore(cr_); }

void DrawContext::fillRect(const ViewRect& rect, SkinColour colour, double alpha) {
    cairo_rectangle(cr_, rect.left, rect.top, rect.width(), rect.height());
    skin::setColour(cr_, colour, alpha);
    cairo_fill(cr_);
}

void DrawContext::frameRect(const ViewRect& rect, SkinColour colour) {
    cairo_rectangle(cr_, rect.left + 0.5, rect.top + 0.5, rect.width() - 1, rect.height() - 1);
    cairo_set_line_width(cr_, 1);
    skin::setColour(cr_, colour);
    cairo_stroke(cr_);
}

void DrawContext::line(ViewPoint from, ViewPoint to, SkinColour colour) {
    cairo_move_to(cr_, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr_, to.x + 0.5, to.y + 0.5);
    cairo_set_line_width(cr_, 1);
    skin::setColour(cr_, colour);
    cairo_stroke(cr_);
}

void DrawContext::text(const std::string& text, const ViewRect& rect, SkinColour colour, TextAlign align, double size,
                       bool bold) {
    pushClip(rect);
    skin::setFont(cr_, size, bold);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, text.c_str(), &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cr_, &font);
    double x = rect.left + 3;
    if (align == TextAlign::Centre)
        x = rect.left + (rect.width() - extents.x_advance) / 2;
    else if (align == TextAlign::Right)
        x = rect.right - 3 - extents.x_advance;
    double baseline = rect.top + (rect.height() + font.ascent - font.descent) / 2;
    cairo_move_to(cr_, std::round(x), std::round(baseline));
    skin::setColour(cr_, colour);
    cairo_show_text(cr_, text.c_str());
    popClip();
}

void DrawContext::bitmap(const SkinBitmap& bitmap, const ViewRect& rect, ViewPoint source) {
    pushClip(rect);
    cairo_set_source_surface(cr_, bitmap.surface(), rect.left - source.x, rect.top - source.y);
    cairo_paint(cr_);
    popClip();
}

double DrawContext::textWidth(const std::string& text, double size, bool bold) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    skin::setFont(cr, size, bold);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    return extents.x_advance;
}

} // namespace trommik2
