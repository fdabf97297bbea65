#include "GridArt.h"

#include <array>

#include "ControlArt.h"

namespace trommik2 {
namespace {

constexpr std::array<int, 5> kCellWidths{80, 40, 20, 10, 5};
constexpr int kGridRows = 10;
constexpr int kLaneRows = 6;
constexpr int kLaneRowHeight = 57;

SkinColour scaled(SkinColour c, double f) { return {c.r * f, c.g * f, c.b * f}; }
SkinColour mixed(SkinColour a, SkinColour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

} // namespace

bool GridArt::draw(const SkinEntry& e) {
    switch (e.art) {
    case SkinArt::GridCells: gridCells(e); return true;
    case SkinArt::AutomationBars: laneCells(e); return true;
    default: return false;
    }
}

void GridArt::gridCells(const SkinEntry& e) {
    const int h = e.frameHeight();
    int x = 0;
    for (int w : kCellWidths) {
        for (int row = 0; row < kGridRows; ++row)
            gridCell(x, row * h, w, h, row);
        x += w;
    }
}

// Rows 0..7: hit (4) + odd bar (2) + odd track (1); 8 and 9: the selected
// track without and with a hit. Empty cells are dark pads that the bars shade
// apart; hits are lit keys, a little deeper in odd bars so bars stay apart.
void GridArt::gridCell(double x, double y, double w, double h, int row) {
    const bool selected = row >= 8;
    const bool hit = selected ? row == 9 : (row & 4) != 0;
    const bool oddBar = !selected && (row & 2);
    SkinColour base = selected ? skin::kSelected : ControlArt::rowShade(row & 1);
    if (oddBar)
        base = scaled(base, 0.74);
    p_.fill(x, y, w, h, skin::kShadow);
    p_.fill(x, y, w - 1, h - 1, base);
    if (w >= 10 && !hit) {
        // A faint pad with a light top edge: the places a hit can go.
        p_.gradientBox(x + 2, y + 2, w - 5, h - 5, 2, mixed(base, skin::kEdge, 0.35), mixed(base, skin::kEdge, 0.12));
        p_.fill(x + 3, y + 2, w - 7, 1, skin::kEdge, 0.35);
    }
    if (!hit)
        return;
    const double inset = w >= 10 ? 2 : 1;
    const SkinColour top = selected ? SkinColour{1.0, 0.76, 0.32}
                           : oddBar ? scaled(skin::kAccent, 0.88)
                                    : skin::kAccent;
    p_.gradientBox(x + inset - 0.5, y + 1.5, w - 2 * inset, h - 4, w >= 10 ? 2.5 : 1, skin::kShadow, skin::kShadow);
    p_.gradientBox(x + inset, y + 2, w - 1 - 2 * inset, h - 5, w >= 10 ? 2 : 1, top,
                   scaled(top, selected ? 0.8 : 0.68));
    if (w >= 10)
        p_.fill(x + inset + 2, y + 2.5, w - 5 - 2 * inset, 1, {1.0, 0.93, 0.75}, selected ? 0.8 : 0.55);
}

// Per width six pictures of 57 rows: the background of an even and of an odd
// bar, the bar drawn over each, and the background and bar of selected slots.
// Bars fade from the top down, so a high value reads bright, like a meter.
void GridArt::laneCells(const SkinEntry& e) {
    const double h = kLaneRowHeight;
    int x = 0;
    for (int w : kCellWidths) {
        for (int row = 0; row < kLaneRows; ++row) {
            const double y = row * h;
            const bool selected = row >= 4;
            const bool odd = row == 1 || row == 3;
            const SkinColour base = selected ? skin::kSelected : odd ? scaled(skin::kDeep, 0.78) : skin::kDeep;
            p_.fill(x, y, w, h, skin::kShadow);
            p_.fill(x, y, w - 1, h, base);
            for (int quarter = 1; quarter < 4; ++quarter)
                p_.fill(x, y + h * quarter / 4.0, w - 1, 1, skin::kEdge, 0.18);
            if (row == 2 || row == 3 || row == 5) {
                const double inset = w >= 10 ? 2 : 0.5;
                const SkinColour top = selected ? SkinColour{1.0, 0.76, 0.32} : skin::kAccent;
                p_.gradientBox(x + inset, y, w - 1 - 2 * inset, h, 0, top, scaled(top, odd ? 0.38 : 0.45));
            }
        }
        x += w;
    }
    p_.fill(0, kLaneRows * h, e.width, e.height - kLaneRows * h, skin::kAccent);
}

} // namespace trommik2
