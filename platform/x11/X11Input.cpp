#include "X11Input.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace trommik2 {

int X11Input::stateBits(unsigned int state) {
    int bits = 0;
    if (state & Button1Mask)
        bits |= kMouseLeft;
    if (state & Button2Mask)
        bits |= kMouseMiddle;
    if (state & Button3Mask)
        bits |= kMouseRight;
    if (state & ShiftMask)
        bits |= kModShift;
    if (state & ControlMask)
        bits |= kModControl;
    if (state & Mod1Mask)
        bits |= kModAlt;
    return bits;
}

int X11Input::buttonBit(unsigned int button) {
    switch (button) {
    case Button1: return kMouseLeft;
    case Button2: return kMouseMiddle;
    case Button3: return kMouseRight;
    default: return 0;
    }
}

int X11Input::wheelDistance(unsigned int button) {
    if (button == Button4)
        return 1;
    return button == Button5 ? -1 : 0;
}

X11PointerEvent X11Input::pointer(const XButtonEvent& event) {
    // The state mask is from before the press: the pressed button replaces the held ones.
    int modifiers = stateBits(event.state) & (kModShift | kModControl | kModAlt);
    return {event.x, event.y, event.x_root, event.y_root, modifiers | buttonBit(event.button)};
}

X11PointerEvent X11Input::pointer(const XMotionEvent& event) {
    return {event.x, event.y, event.x_root, event.y_root, stateBits(event.state)};
}

unsigned long X11Input::keypadDigit(unsigned long keysym) {
    switch (keysym) {
    case XK_KP_Insert: return XK_KP_0;
    case XK_KP_End: return XK_KP_1;
    case XK_KP_Down: return XK_KP_2;
    case XK_KP_Next: return XK_KP_3;
    case XK_KP_Left: return XK_KP_4;
    case XK_KP_Begin: return XK_KP_5;
    case XK_KP_Right: return XK_KP_6;
    case XK_KP_Home: return XK_KP_7;
    case XK_KP_Up: return XK_KP_8;
    case XK_KP_Prior: return XK_KP_9;
    case XK_KP_Delete: return XK_KP_Decimal;
    default: return keysym;
    }
}

X11KeyEvent X11Input::key(XKeyEvent event) {
    X11KeyEvent key;
    key.modifiers = stateBits(event.state) & (kModShift | kModControl | kModAlt);
    char text[8] = {};
    KeySym keysym = NoSymbol;
    int length = XLookupString(&event, text, sizeof text, &keysym, nullptr);
    key.keysym = keypadDigit(keysym);
    unsigned char first = static_cast<unsigned char>(text[0]);
    if (length == 1 && first >= 0x20 && first != 0x7f)
        key.character = first;
    // The keypad types its digits and point whatever Num Lock says.
    if (key.keysym >= XK_KP_0 && key.keysym <= XK_KP_9)
        key.character = static_cast<uint32_t>('0' + (key.keysym - XK_KP_0));
    else if (key.keysym == XK_KP_Decimal)
        key.character = '.';
    return key;
}

} // namespace trommik2
