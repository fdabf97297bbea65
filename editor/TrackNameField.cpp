#include "TrackNameField.h"

#include <cstdlib>

namespace trommik2 {

TrackNameField::TrackNameField(const ViewRect& rect, ControlListener* listener, int tag,
                               std::shared_ptr<SkinBitmap> rows)
    : TextControl(rect, listener, tag, std::move(rows)) {
    setFont(8.5, false);
}

void TrackNameField::draw(DrawContext& context) {
    drawFrame(context, 0);
    drawText(context, rect().offset(3, 0), TextAlign::Left);
}

void TrackNameField::press() {
    setValue(1.0f);
    notify();
    setValue(0.0f);
}

void TrackNameField::mouseDown(ViewPoint where, int buttons) {
    if (buttons & kMouseRight) {
        press();
        if (menuHandler_)
            menuHandler_(*this);
        return;
    }
    if (!(buttons & (kMouseLeft | kMouseMiddle)))
        return;
    press();
    bool dragging = false;
    MouseState state = mouse();
    while (state.buttons & kMouseLeft) {
        dragging = dragging || std::abs(state.where.x - where.x) > 2 || std::abs(state.where.y - where.y) > 2;
        if (dragging && listener())
            listener()->controlDragged(this, state.where, false);
        runIdlePump();
        state = mouse();
    }
    if (dragging && listener())
        listener()->controlDragged(this, state.where, true);
}

} // namespace trommik2
