#include "StripArt.h"

#include <array>

#include "ControlArt.h"

namespace trommik2 {
namespace {

// The cell widths of 8, 16, 32, 64 and 128 columns side by side.
constexpr std::array<int, 5> kCellWidths{80, 40, 20, 10, 5};

SkinColour darker(SkinColour c, double f) { return {c.r * f, c.g * f, c.b * f}; }

} // namespace

bool StripArt::draw(const SkinEntry& e) {
    switch (e.art) {
    case SkinArt::GridCells: gridCells(e); return true;
    case SkinArt::AutomationBars: automationBars(e); return true;
    case SkinArt::AutomationBackground: automationBackground(e); return true;
    default: return false;
    }
}

void StripArt::gridCells(const SkinEntry& e) {
    // Rows 0..7: hit (4) + odd bar (2) + odd track (1); 8 and 9: the selected
    // track without and with a hit. Rows 10 and 11 stay free.
    int h = e.frameHeight();
    int x = 0;
    for (int w : kCellWidths) {
        for (int row = 0; row < 10; ++row) {
            bool selected = row >= 8;
            bool hit = selected ? row == 9 : (row & 4) != 0;
            SkinColour base = selected ? skin::kSelected : ControlArt::rowShade(row & 1);
            if (!selected && (row & 2))
                base = darker(base, 0.82);
            double y = row * h;
            p_.fill(x, y, w, h, skin::kShadow);
            p_.fill(x, y, w - 1, h - 1, base);
            if (hit) {
                double inset = w >= 10 ? 2 : 1;
                SkinColour top = selected ? SkinColour{1.0, 0.80, 0.45} : skin::kAccent;
                p_.gradientBox(x + inset, y + 2, w - 1 - 2 * inset, h - 5, w >= 10 ? 2 : 1, top,
                               darker(skin::kAccent, selected ? 0.85 : 0.7));
            }
        }
        x += w;
    }
}

void StripArt::automationBars(const SkinEntry& e) {
    // Per width group six pictures of 57 rows: background of an even and an odd
    // bar, the lit bar over each, and the background and bar of selected steps.
    constexpr int kRow = 57;
    int x = 0;
    for (int w : kCellWidths) {
        for (int row = 0; row < 6; ++row) {
            double y = row * kRow;
            bool selected = row >= 4;
            SkinColour base = selected ? skin::kSelected : row % 2 ? darker(skin::kDeep, 0.8) : skin::kDeep;
            p_.fill(x, y, w, kRow, skin::kShadow);
            p_.fill(x, y, w - 1, kRow, base);
            if (row == 2 || row == 3 || row == 5) {
                double inset = w >= 10 ? 2 : 0.5;
                p_.gradientBox(x + inset, y, w - 1 - 2 * inset, kRow, 0, skin::kAccent, darker(skin::kAccent, 0.45));
                p_.fill(x + inset, y, w - 1 - 2 * inset, 1.5, {1.0, 0.85, 0.6});
            }
        }
        x += w;
    }
    p_.fill(0, 6 * kRow, e.width, e.height - 6 * kRow, skin::kAccent);
}

void StripArt::automationBackground(const SkinEntry& e) {
    p_.well(0, 0, e.width, e.height, 2);
    for (int quarter = 1; quarter < 4; ++quarter)
        p_.line(2, e.height * quarter / 4.0 + 0.5, e.width - 2, e.height * quarter / 4.0 + 0.5, 1, skin::kEdge, 0.25);
}

} // namespace trommik2
