#include "MomentaryButton.h"

namespace trommik2 {

void MomentaryButton::draw(DrawContext& context) { drawFrame(context, (pressed_ || lit_) && frameCount() > 1 ? 1 : 0); }

void MomentaryButton::setLit(bool lit) {
    if (lit == lit_)
        return;
    lit_ = lit;
    if (background())
        setDirty();
}

void MomentaryButton::show(bool pressed) {
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    if (background())
        setDirty();
}

void MomentaryButton::mouseDown(ViewPoint, int buttons) {
    if (buttons != kMouseLeft)
        return;
    bool over = true;
    show(true);
    if (!releaseMode_) {
        setValue(1.0f);
        notify();
    }
    for (;;) {
        MouseState state = mouse();
        if (!(state.buttons & kMouseLeft))
            break;
        over = rect().contains(state.where);
        show(over);
        if (!releaseMode_)
            changeValue(over ? 1.0f : 0.0f);
        runIdlePump();
    }
    show(false);
    if (releaseMode_ && over) {
        setValue(1.0f);
        notify();
    }
    if (value() != 0.0f || (releaseMode_ && over)) {
        setValue(0.0f);
        notify();
    }
}

} // namespace trommik2
