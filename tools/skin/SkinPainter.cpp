#include "SkinPainter.h"

#include <algorithm>
#include <cmath>

namespace trommik2 {

void SkinPainter::roundedRect(double x, double y, double w, double h, double radius) {
    double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr_);
    cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr_);
}

void SkinPainter::fill(double x, double y, double w, double h, SkinColour colour, double alpha) {
    cairo_rectangle(cr_, x, y, w, h);
    skin::setColour(cr_, colour, alpha);
    cairo_fill(cr_);
}

void SkinPainter::gradientBox(double x, double y, double w, double h, double radius, SkinColour top,
                              SkinColour bottom) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(pattern, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r, bottom.g, bottom.b);
    roundedRect(x, y, w, h, radius);
    cairo_set_source(cr_, pattern);
    cairo_fill(cr_);
    cairo_pattern_destroy(pattern);
}

void SkinPainter::key(double x, double y, double w, double h, bool pressed) {
    gradientBox(x, y, w, h, 3, skin::kShadow, skin::kShadow);
    if (pressed) {
        gradientBox(x + 1, y + 1, w - 2, h - 2, 2.5, skin::kPanel, skin::kRaised);
        return;
    }
    gradientBox(x + 1, y + 1, w - 2, h - 2, 2.5, skin::kEdge, skin::kControl);
    gradientBox(x + 1.5, y + 2, w - 3, h - 3.5, 2, skin::kControl, skin::kRaised);
}

void SkinPainter::well(double x, double y, double w, double h, double radius) {
    gradientBox(x, y, w, h, radius, skin::kShadow, skin::kDeep);
    roundedRect(x + 0.5, y + 0.5, w - 1, h - 1, radius);
    cairo_set_line_width(cr_, 1);
    skin::setColour(cr_, skin::kEdge, 0.35);
    cairo_stroke(cr_);
}

void SkinPainter::lamp(double cx, double cy, double radius, SkinColour colour, bool lit) {
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius * 2.2);
        cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
        cairo_arc(cr_, cx, cy, radius * 2.2, 0, 2 * M_PI);
        cairo_set_source(cr_, glow);
        cairo_fill(cr_);
        cairo_pattern_destroy(glow);
    }
    cairo_arc(cr_, cx, cy, radius + 0.8, 0, 2 * M_PI);
    skin::setColour(cr_, skin::kShadow);
    cairo_fill(cr_);
    cairo_pattern_t* face = cairo_pattern_create_radial(cx - radius / 3, cy - radius / 3, 0, cx, cy, radius);
    double dim = lit ? 1.0 : 0.22;
    cairo_pattern_add_color_stop_rgb(face, 0, std::min(1.0, colour.r * dim + (lit ? 0.35 : 0.05)),
                                     std::min(1.0, colour.g * dim + (lit ? 0.35 : 0.05)),
                                     std::min(1.0, colour.b * dim + (lit ? 0.35 : 0.05)));
    cairo_pattern_add_color_stop_rgb(face, 1, colour.r * dim, colour.g * dim, colour.b * dim);
    cairo_arc(cr_, cx, cy, radius, 0, 2 * M_PI);
    cairo_set_source(cr_, face);
    cairo_fill(cr_);
    cairo_pattern_destroy(face);
}

void SkinPainter::text(const std::string& text, double x, double y, double w, double h, double size, bool bold,
                       SkinColour colour, bool centred) {
    skin::setFont(cr_, size, bold);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, text.c_str(), &extents);
    cairo_font_extents_t font;
    cairo_font_extents(cr_, &font);
    double left = centred ? x + (w - extents.x_advance) / 2 : x;
    double baseline = y + (h + font.ascent - font.descent) / 2;
    cairo_move_to(cr_, std::round(left), std::round(baseline));
    skin::setColour(cr_, colour);
    cairo_show_text(cr_, text.c_str());
}

void SkinPainter::line(double x0, double y0, double x1, double y1, double width, SkinColour colour, double alpha) {
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_set_line_width(cr_, width);
    skin::setColour(cr_, colour, alpha);
    cairo_stroke(cr_);
}

void SkinPainter::triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_line_to(cr_, x2, y2);
    cairo_close_path(cr_);
    cairo_fill(cr_);
}

void SkinPainter::glyph(const std::string& name, double x, double y, double w, double h, SkinColour colour) {
    double s = std::min(w, h);
    double cx = x + w / 2, cy = y + h / 2, u = s / 2;
    skin::setColour(cr_, colour);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    if (name == "play" || name == "next") {
        triangle(cx - u * 0.45, cy - u * 0.6, cx + u * 0.6, cy, cx - u * 0.45, cy + u * 0.6);
    } else if (name == "previous") {
        triangle(cx + u * 0.45, cy - u * 0.6, cx - u * 0.6, cy, cx + u * 0.45, cy + u * 0.6);
    } else if (name == "stop") {
        roundedRect(cx - u * 0.5, cy - u * 0.5, u, u, u * 0.12);
        cairo_fill(cr_);
    } else if (name == "close" || name == "clear") {
        double a = u * (name == "close" ? 0.42 : 0.5);
        line(cx - a, cy - a, cx + a, cy + a, std::max(1.4, s / 10), colour);
        line(cx - a, cy + a, cx + a, cy - a, std::max(1.4, s / 10), colour);
    } else if (name == "save") {
        // A box with an arrow into it.
        double a = u * 0.62;
        cairo_set_line_width(cr_, std::max(1.2, s / 12));
        cairo_move_to(cr_, cx - a, cy + a * 0.1);
        cairo_line_to(cr_, cx - a, cy + a);
        cairo_line_to(cr_, cx + a, cy + a);
        cairo_line_to(cr_, cx + a, cy + a * 0.1);
        cairo_stroke(cr_);
        line(cx, cy - a, cx, cy + a * 0.35, std::max(1.2, s / 12), colour);
        triangle(cx - a * 0.5, cy, cx + a * 0.5, cy, cx, cy + a * 0.55);
    } else if (name == "compact") {
        double a = u * 0.45;
        cairo_set_line_width(cr_, std::max(1.4, s / 10));
        cairo_move_to(cr_, cx - a, cy - a * 0.3);
        cairo_line_to(cr_, cx, cy + a * 0.4);
        cairo_line_to(cr_, cx + a, cy - a * 0.3);
        cairo_stroke(cr_);
        line(cx - a, cy + a * 0.9, cx + a, cy + a * 0.9, std::max(1.2, s / 12), colour);
    } else if (name == "preview") {
        // A speaker.
        double a = u * 0.55;
        cairo_move_to(cr_, cx - a, cy - a * 0.35);
        cairo_line_to(cr_, cx - a * 0.45, cy - a * 0.35);
        cairo_line_to(cr_, cx + a * 0.15, cy - a);
        cairo_line_to(cr_, cx + a * 0.15, cy + a);
        cairo_line_to(cr_, cx - a * 0.45, cy + a * 0.35);
        cairo_line_to(cr_, cx - a, cy + a * 0.35);
        cairo_close_path(cr_);
        cairo_fill(cr_);
        cairo_set_line_width(cr_, std::max(1.1, s / 14));
        cairo_arc(cr_, cx + a * 0.15, cy, a * 0.6, -M_PI / 4, M_PI / 4);
        cairo_stroke(cr_);
        cairo_arc(cr_, cx + a * 0.15, cy, a * 1.0, -M_PI / 4, M_PI / 4);
        cairo_stroke(cr_);
    } else if (name == "reset") {
        cairo_set_line_width(cr_, std::max(1.2, s / 10));
        cairo_arc(cr_, cx, cy, u * 0.5, -M_PI * 0.35, M_PI * 1.3);
        cairo_stroke(cr_);
        triangle(cx + u * 0.2, cy - u * 0.75, cx + u * 0.62, cy - u * 0.48, cx + u * 0.2, cy - u * 0.18);
    } else if (name == "help") {
        text("?", x, y, w, h, s * 0.62, true, colour);
    }
}

} // namespace trommik2
