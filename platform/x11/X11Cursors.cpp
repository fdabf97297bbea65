#include "X11Cursors.h"

#include <X11/cursorfont.h>

namespace trommik2 {

unsigned int cursorShape(int resource) {
    switch (resource) {
    case 4000: return XC_crosshair;
    case 4001: return XC_fleur;
    case 4002: return XC_exchange;
    case 4003: return XC_sb_h_double_arrow;
    case 4004: return XC_sb_v_double_arrow;
    default: return XC_left_ptr;
    }
}

} // namespace trommik2
