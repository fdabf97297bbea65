#include "LevelMeter.h"

#include <algorithm>
#include <cmath>

namespace trommik2 {

LevelMeter::LevelMeter(const ViewRect& rect, std::shared_ptr<SkinBitmap> dark, std::shared_ptr<SkinBitmap> lit,
                       int segments)
    : SkinControl(rect, nullptr, -1, std::move(dark)), lit_(std::move(lit)), segments_(std::max(1, segments)) {
    setMouseEnabled(false);
}

void LevelMeter::setValue(float value) {
    SkinControl::setValue(value);
    int target = static_cast<int>(std::ceil(std::clamp(normalised(), 0.0f, 1.0f) * segments_ - 0.5f));
    int shown = target >= shown_ ? target : shown_ - 1;
    if (shown != shown_) {
        shown_ = shown;
        setDirty();
    }
}

void LevelMeter::draw(DrawContext& context) {
    SkinControl::draw(context);
    if (!lit_ || shown_ == 0)
        return;
    int litHeight = rect().height() * shown_ / segments_;
    ViewRect lit{rect().left, rect().bottom - litHeight, rect().right, rect().bottom};
    context.bitmap(*lit_, lit, {0, rect().height() - litHeight});
}

} // namespace trommik2
