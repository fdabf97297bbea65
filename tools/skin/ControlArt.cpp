#include "ControlArt.h"

#include <cmath>
#include <string>
#include <vector>

namespace trommik2 {
namespace {

std::vector<std::string> captions(const char* label) {
    std::vector<std::string> parts{""};
    for (const char* c = label; *c; ++c) {
        if (*c == '|')
            parts.emplace_back();
        else
            parts.back() += *c;
    }
    return parts;
}

SkinColour mix(SkinColour a, SkinColour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Knobs sweep 270 degrees with the gap at the bottom.
constexpr double kKnobStart = 0.75 * M_PI;
constexpr double kKnobRange = 1.5 * M_PI;

} // namespace

SkinColour ControlArt::rowShade(int shade) {
    switch (shade) {
    case 0: return {0.145, 0.157, 0.180};
    case 1: return {0.118, 0.129, 0.149};
    default: return skin::kSelected;
    }
}

bool ControlArt::draw(const SkinEntry& e) {
    int frameHeight = e.frameHeight();
    for (int shade = 0; shade < e.shades; ++shade) {
        for (int frame = 0; frame < e.frames; ++frame) {
            double y = (shade * e.frames + frame) * frameHeight;
            switch (e.art) {
            case SkinArt::Button: button(e, frame, y); break;
            case SkinArt::PlayButton: playButton(e, frame, y); break;
            case SkinArt::Knob: knob(e, frame, y); break;
            case SkinArt::Switch3: switch3(e, frame, y); break;
            case SkinArt::LitSwitch: litSwitch(e, frame, y); break;
            case SkinArt::RowToggle:
            case SkinArt::RowButton:
            case SkinArt::RowMenu:
            case SkinArt::RowName: rowPicture(e, shade, frame, y); break;
            case SkinArt::Lamp:
                p_.lamp(e.width / 2.0, y + frameHeight / 2.0, e.width / 2.0 - 1.5, skin::kAccent, frame);
                break;
            case SkinArt::BarMarkers: markers(e, frame, y); break;
            case SkinArt::SliderHandle: sliderHandle(e); break;
            case SkinArt::IndicatorHandle: p_.fill(0, 0, e.width, e.height, skin::kAccent); break;
            case SkinArt::MeterDark: meter(e, false); break;
            case SkinArt::MeterLit: meter(e, true); break;
            default: return false;
            }
        }
    }
    return true;
}

void ControlArt::button(const SkinEntry& e, int frame, double y) {
    double h = e.frameHeight();
    p_.key(0, y, e.width, h, frame == 1);
    double inset = std::min<double>(e.width, h) > 20 ? 6 : 3;
    SkinColour colour = frame == 1 ? skin::kAccent : skin::kText;
    if (std::string(e.label) == "close" && frame == 1)
        colour = skin::kMute;
    p_.glyph(e.label, inset, y + inset + (frame == 1 ? 0.5 : 0), e.width - 2 * inset, h - 2 * inset, colour);
}

void ControlArt::playButton(const SkinEntry& e, int frame, double y) {
    double h = e.frameHeight();
    p_.key(0, y, e.width, h, frame > 0);
    SkinColour colour = frame == 0   ? skin::kText
                        : frame == 1 ? mix(skin::kAccentDim, skin::kAccent, 0.6)
                                     : skin::kAccent;
    if (frame == 2) {
        cairo_pattern_t* glow =
            cairo_pattern_create_radial(e.width / 2.0, y + h / 2, 2, e.width / 2.0, y + h / 2, h / 2);
        cairo_pattern_add_color_stop_rgba(glow, 0, skin::kAccent.r, skin::kAccent.g, skin::kAccent.b, 0.35);
        cairo_pattern_add_color_stop_rgba(glow, 1, skin::kAccent.r, skin::kAccent.g, skin::kAccent.b, 0);
        p_.roundedRect(2, y + 2, e.width - 4, h - 4, 3);
        cairo_set_source(p_.cairo(), glow);
        cairo_fill(p_.cairo());
        cairo_pattern_destroy(glow);
    }
    p_.glyph("play", 12, y + 12, e.width - 24, h - 24, colour);
}

void ControlArt::knob(const SkinEntry& e, int frame, double y) {
    cairo_t* cr = p_.cairo();
    double value = frame / double(e.frames - 1);
    double size = e.width;
    double cx = size / 2, cy = y + size / 2;
    double ring = size / 2 - 1.6;
    double body = ring - 3.6;
    // The value track, then its lit part with a glow.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.4);
    cairo_arc(cr, cx, cy, ring, kKnobStart, kKnobStart + kKnobRange);
    skin::setColour(cr, skin::kShadow);
    cairo_stroke(cr);
    double end = kKnobStart + kKnobRange * value;
    if (value > 0) {
        cairo_set_line_width(cr, 3.2);
        cairo_arc(cr, cx, cy, ring, kKnobStart, end);
        skin::setColour(cr, skin::kAccent, 0.25);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.8);
        cairo_arc(cr, cx, cy, ring, kKnobStart, end);
        skin::setColour(cr, skin::kAccent);
        cairo_stroke(cr);
    }
    // The body: a dark cap lit from above.
    cairo_arc(cr, cx, cy + 0.6, body + 0.8, 0, 2 * M_PI);
    skin::setColour(cr, skin::kShadow, 0.9);
    cairo_fill(cr);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, cy - body, 0, cy + body);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.36, 0.38, 0.42);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.16, 0.17, 0.19);
    cairo_arc(cr, cx, cy, body, 0, 2 * M_PI);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    cairo_arc(cr, cx, cy, body - 1.4, 0, 2 * M_PI);
    skin::setColour(cr, skin::kControl);
    cairo_fill(cr);
    // The pointer.
    double angle = kKnobStart + kKnobRange * value;
    p_.line(cx + std::cos(angle) * body * 0.25, cy + std::sin(angle) * body * 0.25, cx + std::cos(angle) * (body - 0.8),
            cy + std::sin(angle) * (body - 0.8), 1.8, skin::kText);
}

void ControlArt::switch3(const SkinEntry& e, int frame, double y) {
    double h = e.frameHeight();
    std::vector<std::string> parts = captions(e.label);
    p_.well(0, y + 1, e.width, h - 2, 3);
    double w = (e.width - 4) / 3.0;
    for (int i = 0; i < 3; ++i) {
        bool lit = i == frame;
        double x = 2 + i * w;
        if (lit)
            p_.gradientBox(x + 0.5, y + 3, w - 1, h - 6, 2, skin::kEdge, skin::kControl);
        p_.fill(x + 4, y + h - 7, w - 8, 2, lit ? skin::kAccent : skin::kAccentDim, lit ? 1.0 : 0.6);
        p_.text(parts[i], x, y + 3, w, h - 12, 9, true, lit ? skin::kText : skin::kLabel);
    }
}

void ControlArt::litSwitch(const SkinEntry& e, int frame, double y) {
    double h = e.frameHeight();
    bool lit = frame == 1;
    p_.key(0, y, e.width, h, lit);
    std::string caption = e.label;
    double size = h >= 17 ? 8 : 7;
    if (caption.size() == 1 || caption == "ALL" || caption == "ON")
        size = h >= 17 ? 9 : 8;
    if (lit) {
        p_.roundedRect(1.5, y + 1.5, e.width - 3, h - 3, 2);
        skin::setColour(p_.cairo(), skin::kAccent, 0.16);
        cairo_fill(p_.cairo());
    }
    p_.text(caption, 0, y, e.width, h, size, true, lit ? skin::kAccent : skin::kLabel);
}

void ControlArt::rowPicture(const SkinEntry& e, int shade, int frame, double y) {
    double h = e.frameHeight();
    p_.fill(0, y, e.width, h, rowShade(shade));
    p_.fill(0, y + h - 1, e.width, 1, skin::kShadow);
    std::string caption = e.label;
    switch (e.art) {
    case SkinArt::RowToggle: {
        SkinColour on = caption == "M" ? skin::kMute : skin::kSolo;
        if (frame == 1)
            p_.gradientBox(1.5, y + 3.5, e.width - 3, h - 7, 2, on, mix(on, skin::kShadow, 0.35));
        else
            p_.well(1.5, y + 3.5, e.width - 3, h - 7, 2);
        p_.text(caption, 0, y + 3, e.width, h - 6, 8, true, frame == 1 ? skin::kShadow : skin::kLabel);
        break;
    }
    case SkinArt::RowButton:
        p_.glyph(caption, 3, y + 5 + (frame ? 0.5 : 0), e.width - 6, h - 10, frame ? skin::kAccent : skin::kLabel);
        break;
    case SkinArt::RowMenu:
        p_.line(0.5, y + 4, 0.5, y + h - 4, 1, skin::kShadow, 0.8);
        skin::setColour(p_.cairo(), skin::kLabel);
        cairo_move_to(p_.cairo(), e.width / 2.0 - 4, y + h / 2 - 2);
        cairo_line_to(p_.cairo(), e.width / 2.0 + 4, y + h / 2 - 2);
        cairo_line_to(p_.cairo(), e.width / 2.0, y + h / 2 + 3);
        cairo_close_path(p_.cairo());
        cairo_fill(p_.cairo());
        break;
    default:
        if (shade == 2)
            p_.fill(0, y + 2, 2, h - 4, skin::kAccent);
        break;
    }
}

void ControlArt::sliderHandle(const SkinEntry& e) {
    std::string style = e.label;
    if (style == "small") {
        p_.lamp(e.width / 2.0, e.height / 2.0, e.width / 2.0 - 0.6, skin::kAccent, false);
        cairo_arc(p_.cairo(), e.width / 2.0, e.height / 2.0, e.width / 2.0 - 1, 0, 2 * M_PI);
        skin::setColour(p_.cairo(), skin::kText);
        cairo_fill(p_.cairo());
        return;
    }
    bool vertical = style == "vertical";
    double capH = vertical ? e.height : 20;
    double top = (e.height - capH) / 2;
    p_.key(0, top, e.width, capH, false);
    if (vertical)
        p_.fill(2, e.height / 2.0 - 0.5, e.width - 4, 1.2, skin::kAccent);
    else
        p_.fill(e.width / 2.0 - 0.6, top + 4, 1.2, capH - 8, skin::kAccent);
}

void ControlArt::meter(const SkinEntry& e, bool lit) {
    // Twelve segments from the bottom: green, then amber, then red at the top.
    int segments = 12;
    double step = double(e.height) / segments;
    for (int i = 0; i < segments; ++i) {
        double y = e.height - (i + 1) * step;
        SkinColour colour = i >= 10 ? skin::kMute : i >= 7 ? skin::kAccent : SkinColour{0.35, 0.85, 0.45};
        if (!lit)
            colour = mix(colour, skin::kShadow, 0.8);
        p_.fill(0, y, e.width, step - 0.7, colour);
    }
}

void ControlArt::markers(const SkinEntry& e, int frame, double y) {
    std::vector<std::string> parts = captions(e.label);
    double h = e.frameHeight();
    if (!parts[frame].empty())
        p_.text(parts[frame], 0, y, e.width, h, 9, true, skin::kLabel);
}

} // namespace trommik2
