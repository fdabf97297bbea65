#pragma once

#include <X11/Xlib.h>

#include "InputEvents.h"

namespace trommik2 {

// Translation of X input to the toolkit's terms. Any thread.
class X11Input {
  public:
    // Buttons held and modifiers of an X state mask.
    static int stateBits(unsigned int state);
    // The bit of one X button (1 left, 2 middle, 3 right), 0 for the others.
    static int buttonBit(unsigned int button);
    // Wheel distance of a button press: +1 up, -1 down, 0 for other buttons.
    static int wheelDistance(unsigned int button);
    static X11PointerEvent pointer(const XButtonEvent& event);
    static X11PointerEvent pointer(const XMotionEvent& event);
    static X11KeyEvent key(XKeyEvent event);
    // Keypad keysyms of the navigation level mapped to their digit level.
    static unsigned long keypadDigit(unsigned long keysym);
};

} // namespace trommik2
