#pragma once

#include <cstdint>

namespace trommik2 {

// The button and modifier bits the toolkit works with.
enum MouseBits : int {
    kMouseLeft = 1,
    kMouseMiddle = 2,
    kMouseRight = 4,
    kModShift = 8,
    kModControl = 16,
    kModAlt = 32,
};

struct X11PointerEvent {
    int x = 0, y = 0;         // in the window
    int rootX = 0, rootY = 0; // on the screen
    int buttons = 0;          // MouseBits: for a press the pressed button and the modifiers
};

struct X11KeyEvent {
    // An X keysym; keypad keys always as their digit or operator keysyms
    // (XK_KP_0 .. XK_KP_9, XK_KP_Decimal, XK_KP_Add ...), whatever Num Lock says.
    unsigned long keysym = 0;
    // The character the key types, 0 for none.
    uint32_t character = 0;
    int modifiers = 0; // kModShift, kModControl, kModAlt
};

} // namespace trommik2
