#include "MultiSwitch.h"

#include <algorithm>
#include <cmath>

namespace trommik2 {

int MultiSwitch::position() const {
    return static_cast<int>(std::lround(std::clamp(value(), 0.0f, 1.0f) * std::max(0, frameCount() - 1)));
}

void MultiSwitch::draw(DrawContext& context) { drawFrame(context, position()); }

void MultiSwitch::select(int position) {
    int last = std::max(1, frameCount() - 1);
    changeValue(std::clamp(static_cast<float>(position) / static_cast<float>(last), 0.0f, 1.0f));
}

void MultiSwitch::mouseDown(ViewPoint where, int buttons) {
    if (!(buttons & kMouseLeft))
        return;
    if (restoreDefaultOnDoubleClick())
        return;
    // Floor division: above the switch counts as the first position.
    auto positionAt = [this](ViewPoint point) {
        int offset = point.y - rect().top;
        return offset < 0 ? 0 : offset / std::max(1, rect().height());
    };
    select(positionAt(where));
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        select(positionAt(state.where));
        runIdlePump();
    }
}

bool MultiSwitch::wheel(ViewPoint, float distance, int) {
    select(std::clamp(position() + (distance > 0 ? 1 : -1), 0, std::max(0, frameCount() - 1)));
    return true;
}

} // namespace trommik2
