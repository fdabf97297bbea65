#include "FrameStripDisplay.h"

#include <cmath>

namespace trommik2 {

void FrameStripDisplay::draw(DrawContext& context) {
    int frames = frameCount();
    if (frames > 0)
        drawFrame(context, static_cast<int>(std::lround(normalised() * (frames - 1))));
}

void FrameStripDisplay::mouseDown(ViewPoint, int buttons) {
    if (!clickable_ || !(buttons & kMouseLeft))
        return;
    setValue(1.0f);
    notify();
}

} // namespace trommik2
