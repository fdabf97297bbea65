#include "SkinSlider.h"

#include <algorithm>
#include <cmath>

namespace trommik2 {

SkinSlider::SkinSlider(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> handle,
                       SliderStyle style)
    : SkinControl(rect, listener, tag, nullptr), handle_(std::move(handle)), style_(style) {}

int SkinSlider::length() const { return style_ == SliderStyle::Horizontal ? rect().width() : rect().height(); }

int SkinSlider::handleLength() const {
    if (!handle_)
        return 0;
    return std::min(length(), style_ == SliderStyle::Horizontal ? handle_->width() : handle_->height());
}

int SkinSlider::along(ViewPoint point) const {
    return style_ == SliderStyle::Horizontal ? point.x - rect().left : point.y - rect().top;
}

double SkinSlider::shareAt(double handleStart) const {
    int usable = length() - handleLength();
    double share = usable > 0 ? std::clamp(handleStart / usable, 0.0, 1.0) : 0.0;
    // Vertical sliders grow upwards unless their origin is at the top.
    bool fromEnd = (style_ == SliderStyle::Vertical) != originAtEnd_;
    return fromEnd ? 1.0 - share : share;
}

ViewRect SkinSlider::handleRect() const {
    int usable = length() - handleLength();
    bool fromEnd = (style_ == SliderStyle::Vertical) != originAtEnd_;
    double share = fromEnd ? 1.0 - normalised() : normalised();
    int start = static_cast<int>(std::lround(share * usable));
    if (!handle_)
        return {};
    if (style_ == SliderStyle::Horizontal) {
        int top = rect().top + (rect().height() - handle_->height()) / 2;
        return {rect().left + start, top, rect().left + start + handleLength(), top + handle_->height()};
    }
    int left = rect().left + (rect().width() - handle_->width()) / 2;
    return {left, rect().top + start, left + handle_->width(), rect().top + start + handleLength()};
}

void SkinSlider::draw(DrawContext& context) {
    SkinControl::draw(context);
    if (handle_)
        context.bitmap(*handle_, handleRect(), {0, 0});
}

void SkinSlider::mouseDown(ViewPoint where, int buttons) {
    if (!mouseEnabled() || !(buttons & kMouseLeft))
        return;
    if (restoreDefaultOnDoubleClick())
        return;
    ViewRect handle = handleRect();
    bool onHandle = handle.contains(where);
    if (!onHandle && !clickAnywhere_)
        return;
    // Where in the handle the mouse holds it.
    int handleStart = along({handle.left, handle.top});
    double grip = onHandle ? along(where) - handleStart : handleLength() / 2.0;
    double anchorStart = along(where) - grip;
    int anchorAlong = along(where);
    int modifiers = buttons & kModShift;
    setEditing(true);
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        if ((state.buttons & kModShift) != modifiers) {
            // Re-anchor so the handle does not jump when Shift changes.
            modifiers = state.buttons & kModShift;
            anchorStart += (along(state.where) - anchorAlong) * (modifiers ? 1.0 : 1.0 / zoom_);
            anchorAlong = along(state.where);
        }
        double moved = (along(state.where) - anchorAlong) / (modifiers ? zoom_ : 1.0);
        double share = shareAt(anchorStart + moved);
        changeValue(min() + static_cast<float>(share) * (max() - min()));
        runIdlePump();
    }
    setEditing(false);
}

bool SkinSlider::wheel(ViewPoint, float distance, int buttons) {
    if (!mouseEnabled())
        return false;
    float amount = distance * wheelIncrement() * ((buttons & kModShift) ? 0.1f : 1.0f) * (max() - min());
    changeValue(std::clamp(value() + amount, std::min(min(), max()), std::max(min(), max())));
    return true;
}

} // namespace trommik2
