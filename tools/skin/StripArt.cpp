#include "StripArt.h"

namespace trommik2 {

bool StripArt::draw(const SkinEntry& e) {
    switch (e.art) {
    case SkinArt::AutomationBackground: automationBackground(e); return true;
    case SkinArt::Schematic: schematic(e); return true;
    default: return false;
    }
}

void StripArt::automationBackground(const SkinEntry& e) {
    p_.well(0, 0, e.width, e.height, 2);
    for (int quarter = 1; quarter < 4; ++quarter)
        p_.line(2, e.height * quarter / 4.0 + 0.5, e.width - 2, e.height * quarter / 4.0 + 0.5, 1, skin::kEdge, 0.25);
}

void StripArt::schematic(const SkinEntry& e) {
    // A plain title card for now; the module drawings replace it.
    p_.fill(0, 0, e.width, e.height, skin::kDeep);
    for (int x = 20; x < e.width; x += 20)
        p_.line(x + 0.5, 0, x + 0.5, e.height, 1, skin::kEdge, 0.12);
    for (int y = 20; y < e.height; y += 20)
        p_.line(0, y + 0.5, e.width, y + 0.5, 1, skin::kEdge, 0.12);
    p_.text(e.label, 0, 0, e.width, e.height, 20, true, skin::kLabel);
}

} // namespace trommik2
