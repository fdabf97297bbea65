#include "FrameKnob.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cmath>

namespace trommik2 {
namespace {

// The knob pictures sweep 270 degrees clockwise from the lower left, with the
// gap at the bottom (angles as cairo counts them: clockwise, y down).
constexpr double kStartAngle = 0.75 * M_PI;
constexpr double kAngleRange = 1.5 * M_PI;
constexpr double kLinearTravel = 200.0;

// The mouse angle from the start, 0 .. 2π.
double angleFromStart(ViewPoint centre, ViewPoint where) {
    double angle = std::atan2(where.y - centre.y, where.x - centre.x) - kStartAngle;
    while (angle < 0)
        angle += 2 * M_PI;
    return std::fmod(angle, 2 * M_PI);
}

} // namespace

// The state of one drag: where it is anchored, the value there, and the
// continuous value that snapping starts from.
class FrameKnob::Drag {
  public:
    Drag(FrameKnob& knob, ViewPoint where, int buttons)
        : knob_(knob), centre_{(knob.rect().left + knob.rect().right) / 2, (knob.rect().top + knob.rect().bottom) / 2},
          continuous_(knob.normalised()) {
        anchor(where, buttons);
    }

    // The normalised value the mouse asks for.
    double follow(ViewPoint where, int buttons) {
        int modifiers = buttons & (kModShift | kModAlt);
        // A change of modifiers re-anchors, so the value stays continuous.
        if (modifiers != modifiers_)
            anchor(where, buttons);
        switch (mode_) {
        case KnobMode::Linear: {
            double divisor = kLinearTravel * ((buttons & kModShift) ? knob_.zoom_ : 1.0);
            int travel = (where.x - anchor_.x) - (where.y - anchor_.y);
            continuous_ = std::clamp(anchorValue_ + travel / divisor, 0.0, 1.0);
            break;
        }
        case KnobMode::Circular: continuous_ = absoluteAngle(where); break;
        case KnobMode::RelativeCircular: {
            double angle = angleFromStart(centre_, where);
            double turn = std::remainder(angle - lastAngle_, 2 * M_PI);
            lastAngle_ = angle;
            continuous_ = std::clamp(continuous_ + turn / kAngleRange, 0.0, 1.0);
            break;
        }
        }
        return continuous_;
    }

  private:
    void anchor(ViewPoint where, int buttons) {
        anchor_ = where;
        anchorValue_ = continuous_;
        modifiers_ = buttons & (kModShift | kModAlt);
        mode_ = knob_.modeFor(buttons);
        lastAngle_ = angleFromStart(centre_, where);
    }

    double absoluteAngle(ViewPoint where) const {
        double angle = angleFromStart(centre_, where);
        if (angle <= kAngleRange)
            return angle / kAngleRange;
        // In the gap: the nearer end.
        return angle - kAngleRange < (2 * M_PI - kAngleRange) / 2 ? 1.0 : 0.0;
    }

    FrameKnob& knob_;
    ViewPoint centre_;
    double continuous_;
    ViewPoint anchor_;
    double anchorValue_ = 0;
    int modifiers_ = 0;
    KnobMode mode_ = KnobMode::Linear;
    double lastAngle_ = 0;
};

void FrameKnob::draw(DrawContext& context) {
    int frames = frameCount();
    if (frames > 0)
        drawFrame(context, std::min(frames - 1, static_cast<int>(normalised() * (frames - 1))));
}

KnobMode FrameKnob::modeFor(int buttons) const {
    if (buttons & kModAlt)
        return KnobMode::Circular;
    return mode_.value_or(frame() ? frame()->knobMode() : KnobMode::Linear);
}

float FrameKnob::snapped(float value, int buttons) const {
    int positions = (buttons & kModShift) ? finePositions_ : positions_;
    float clamped = std::clamp(value, std::min(min(), max()), std::max(min(), max()));
    if (positions < 2 || max() == min())
        return clamped;
    float share = (clamped - min()) / (max() - min());
    float position = std::round(share * static_cast<float>(positions - 1));
    return min() + position / static_cast<float>(positions - 1) * (max() - min());
}

void FrameKnob::mouseDown(ViewPoint where, int buttons) {
    if (!mouseEnabled() || !(buttons & kMouseLeft))
        return;
    if (restoreDefaultOnDoubleClick())
        return;
    setEditing(true);
    Drag drag(*this, where, buttons);
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        double share = drag.follow(state.where, state.buttons);
        changeValue(snapped(min() + static_cast<float>(share) * (max() - min()), state.buttons));
        runIdlePump();
    }
    setEditing(false);
}

void FrameKnob::step(float steps, int buttons) {
    int positions = (buttons & kModShift) ? finePositions_ : positions_;
    float amount = positions >= 2 ? (max() - min()) / static_cast<float>(positions - 1)
                                  : wheelIncrement() * ((buttons & kModShift) ? 0.1f : 1.0f);
    changeValue(snapped(value() + steps * amount, buttons));
}

bool FrameKnob::wheel(ViewPoint, float distance, int buttons) {
    if (!mouseEnabled())
        return false;
    step(distance, buttons);
    return true;
}

bool FrameKnob::keyDown(const X11KeyEvent& key) {
    switch (key.keysym) {
    case XK_Up:
    case XK_Right: step(1.0f, key.modifiers); return true;
    case XK_Down:
    case XK_Left: step(-1.0f, key.modifiers); return true;
    default: return false;
    }
}

} // namespace trommik2
