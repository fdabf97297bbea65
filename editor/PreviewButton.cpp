#include "PreviewButton.h"

namespace trommik2 {

void PreviewButton::mouseDown(ViewPoint where, int buttons) {
    if (buttons != kMouseLeft)
        return;
    pressed_ = true;
    setDirty();
    changeValue(1.0f - static_cast<float>(where.y - rect().top) / static_cast<float>(rect().height()));
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        bool over = rect().contains(state.where);
        if (over != pressed_) {
            pressed_ = over;
            setDirty();
        }
        runIdlePump();
    }
    pressed_ = false;
    setDirty();
    changeValue(0.0f);
}

} // namespace trommik2
