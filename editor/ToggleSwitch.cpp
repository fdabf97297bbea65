#include "ToggleSwitch.h"

namespace trommik2 {

void ToggleSwitch::draw(DrawContext& context) { drawFrame(context, value() > min() && frameCount() > 1 ? 1 : 0); }

void ToggleSwitch::mouseDown(ViewPoint, int buttons) {
    if (!(buttons & kMouseLeft))
        return;
    setValue(value() > min() ? min() : max());
    notify();
    if (!dragMode_)
        return;
    MouseState state = mouse();
    while (state.buttons & kMouseLeft) {
        if (auto* listener = this->listener())
            listener->controlDragged(this, state.where, false);
        runIdlePump();
        state = mouse();
    }
    if (auto* listener = this->listener())
        listener->controlDragged(this, state.where, true);
}

} // namespace trommik2
