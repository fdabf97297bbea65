#include "StripArt.h"

namespace trommik2 {

bool StripArt::draw(const SkinEntry& e) {
    switch (e.art) {
    case SkinArt::AutomationBackground: automationBackground(e); return true;
    default: return false;
    }
}

void StripArt::automationBackground(const SkinEntry& e) {
    p_.well(0, 0, e.width, e.height, 2);
    for (int quarter = 1; quarter < 4; ++quarter)
        p_.line(2, e.height * quarter / 4.0 + 0.5, e.width - 2, e.height * quarter / 4.0 + 0.5, 1, skin::kEdge, 0.25);
}

} // namespace trommik2
