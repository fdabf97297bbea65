#include "PanelArt.h"

#include <string>

#include "ControlArt.h"

namespace trommik2 {

bool PanelArt::draw(const SkinEntry& e) {
    if (e.art == SkinArt::UpperPanel)
        upper(e);
    else if (e.art == SkinArt::LowerPanel)
        lower(e);
    else
        return false;
    return true;
}

void PanelArt::base(const SkinEntry& e) {
    p_.gradientBox(0, 0, e.width, e.height, 0, {0.135, 0.147, 0.168}, skin::kPanel);
    // Fine horizontal brushing.
    for (int y = 1; y < e.height; y += 3)
        p_.line(0, y + 0.5, e.width, y + 0.5, 1, skin::kText, 0.012);
}

void PanelArt::section(double x, double y, double w, double h, const char* text) {
    p_.gradientBox(x, y, w, h, 5, skin::kShadow, skin::kShadow);
    p_.gradientBox(x + 1, y + 1, w - 2, h - 2, 4, {0.170, 0.184, 0.210}, {0.140, 0.152, 0.174});
    p_.line(x + 5, y + 1.5, x + w - 5, y + 1.5, 1, skin::kEdge, 0.6);
    if (*text)
        caption(text, x + 8, y + 3, 0, false);
}

void PanelArt::caption(const char* text, double x, double y, double w, bool centred) {
    p_.text(text, x, y, w, 9, 7.5, true, skin::kLabel, centred);
}

void PanelArt::display(double left, double top, double right, double bottom) {
    p_.well(left - 1, top - 1, right - left + 2, bottom - top + 2, 2.5);
}

void PanelArt::groove(double left, double top, double right, double bottom, bool vertical) {
    double cx = (left + right) / 2, cy = (top + bottom) / 2;
    if (vertical)
        p_.well(cx - 2, top, 4, bottom - top, 2);
    else
        p_.well(left, cy - 2, right - left, 4, 2);
}

void PanelArt::logo() {
    p_.text("TROMMIK", 80, 14, 0, 26, 22, true, skin::kText, false);
    cairo_text_extents_t extents;
    skin::setFont(p_.cairo(), 22, true);
    cairo_text_extents(p_.cairo(), "TROMMIK", &extents);
    p_.text("2", 80 + extents.x_advance + 1, 14, 0, 26, 22, true, skin::kAccent, false);
    p_.text("DRUM  MACHINE", 82, 38, 0, 10, 7, true, skin::kLabel, false);
}

void PanelArt::trackRows() {
    for (int t = 0; t < 16; ++t) {
        double y = 164 + 20 * t;
        p_.fill(6, y, 235, 20, ControlArt::rowShade(t % 2));
        p_.fill(6, y + 19, 235, 1, skin::kShadow);
        p_.text(std::to_string(t + 1), 6, y, 26, 20, 8, true, skin::kLabel);
    }
}

void PanelArt::upper(const SkinEntry& e) {
    base(e);
    // The strip that stays in the compact editor.
    p_.gradientBox(0, 0, e.width, 72, 0, {0.155, 0.168, 0.192}, {0.120, 0.130, 0.150});
    p_.fill(0, 71, e.width, 1, skin::kShadow);
    p_.fill(0, 72, e.width, 1, skin::kEdge);
    logo();
    caption("MASTER", 244, 46, 43);
    display(303, 7, 318, 33);
    caption("OUT", 298, 46, 26);
    display(329, 10, 542, 36);
    caption("SETUP", 329, 46, 213);
    caption("SETUP", 574, 46, 109);

    section(6, 78, 904, 72, "");
    caption("BARS", 585, 88, 63);
    caption("SHUFFLE", 664, 88, 95);
    caption("STEPS", 774, 88, 63);
    groove(664, 99, 759, 131, false);
    caption("DRUM KIT", 43, 121, 175);
    display(95, 133, 218, 146);
    caption("PATTERN", 256, 121, 175);
    display(308, 133, 431, 146);
    p_.text("CLEAR TRACK", 452, 121, 50, 9, 6.5, true, skin::kLabel);
    p_.text("CLEAR ALL", 507, 121, 40, 9, 6.5, true, skin::kLabel);

    p_.fill(6, 152, 904, 334, skin::kShadow);
    trackRows();
    p_.well(241, 164, 640, 320, 0);
    p_.fill(0, e.height - 1, e.width, 1, skin::kShadow);
}

void PanelArt::knobColumns() {
    for (int k = 0; k < 6; ++k) {
        int x = 309 + 63 * k;
        display(x - 39, 66, x + 6, 81);
        p_.well(x - 48, 66, 7, 14, 1.5);
        display(x - 44, 161, x + 16, 173);
    }
    for (int j = 0; j < 4; ++j) {
        int x = 706 + 56 * j;
        p_.well(x - 44, 66, 7, 14, 1.5);
        display(x - 34, 141, x + 9, 153);
    }
}

void PanelArt::lower(const SkinEntry& e) {
    base(e);
    p_.fill(0, 0, e.width, 1, skin::kEdge);
    caption("RANDOM", 60, 4, 88, false);
    groove(152, 5, 237, 12, false);
    caption("SCALE", 60, 24, 88, false);
    groove(152, 25, 237, 32, false);
    p_.well(241, 1, 640, 57, 2);

    section(6, 60, 244, 118, "");
    display(37, 64, 237, 79);
    caption("SAMPLE", 66, 88, 141, false);
    display(66, 100, 207, 114);
    caption("SYNTHESIS", 66, 139, 141, false);
    display(66, 151, 207, 165);
    caption("MIX", 226, 88, 30);
    groove(234, 100, 248, 165, true);
    p_.text("SMP", 212, 100, 20, 9, 6.5, true, skin::kLabel);
    p_.text("SYN", 212, 156, 20, 9, 6.5, true, skin::kLabel);

    section(254, 60, 392, 118, "");
    section(650, 60, 260, 118, "");
    knobColumns();
    display(706, 161, 866, 173);
    p_.fill(0, e.height - 1, e.width, 1, skin::kShadow);
}

} // namespace trommik2
