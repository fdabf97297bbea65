#include "MultiSwitch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

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
    // Nothing changes until the pointer moves up or down: a click must not
    // pass through the first position (a pattern of four bars would become
    // one bar for a moment, and its playback jump).
    bool dragged = false;
    ViewPoint last = where;
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        dragged = dragged || std::abs(state.where.y - where.y) > kClickSlop;
        if (dragged)
            select(positionAt(state.where));
        last = state.where;
        runIdlePump();
    }
    // The pictures show the positions side by side, so a click takes the one
    // under the pointer.
    if (!dragged && rect().contains(last))
        select((last.x - rect().left) * frameCount() / std::max(1, rect().width()));
}

bool MultiSwitch::wheel(ViewPoint, float distance, int) {
    select(std::clamp(position() + (distance > 0 ? 1 : -1), 0, std::max(0, frameCount() - 1)));
    return true;
}

} // namespace trommik2
