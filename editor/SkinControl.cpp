#include "SkinControl.h"

#include <algorithm>

#include "EditorFrame.h"

namespace trommik2 {

SkinControl::SkinControl(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> bitmap)
    : SkinView(rect), tag_(tag), listener_(listener) {
    setBackground(std::move(bitmap));
}

void SkinControl::setValue(float value) {
    if (value == value_)
        return;
    value_ = value;
    setDirty();
}

bool SkinControl::changeValue(float value) {
    if (value == value_)
        return false;
    setValue(value);
    notify();
    return true;
}

void SkinControl::clampValue() { setValue(std::clamp(value_, std::min(min_, max_), std::max(min_, max_))); }

float SkinControl::normalised() const {
    if (max_ == min_)
        return 0.0f;
    return std::clamp((value_ - min_) / (max_ - min_), 0.0f, 1.0f);
}

void SkinControl::notify() {
    if (listener_)
        listener_->valueChanged(this);
}

bool SkinControl::isDoubleClick() {
    uint64_t time = now();
    bool twice = clickedBefore_ && time - lastClick_ <= doubleClickInterval_;
    // A double click is consumed: the third click starts anew.
    clickedBefore_ = !twice;
    lastClick_ = time;
    return twice;
}

bool SkinControl::restoreDefaultOnDoubleClick() {
    if (!isDoubleClick())
        return false;
    setValue(default_);
    notify();
    return true;
}

int SkinControl::frameCount() const {
    if (!background() || rect().height() <= 0)
        return 0;
    return std::max(1, (background()->height() - backgroundOffset().y) / rect().height());
}

void SkinControl::drawFrame(DrawContext& context, int frame) {
    if (!background())
        return;
    ViewPoint source{backgroundOffset().x, backgroundOffset().y + frame * rect().height()};
    context.bitmap(*background(), rect(), source);
}

MouseState SkinControl::mouse() const { return frame() ? frame()->mouseState() : MouseState{}; }

uint64_t SkinControl::now() const { return frame() ? frame()->now() : 0; }

} // namespace trommik2
