#include "AutomationView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "ControlTags.h"
#include "core/DrumMachine.h"
#include "params/ValueDisplay.h"

namespace trommik2 {
namespace {

constexpr int kVelocityValues = 128;
constexpr float kFullVelocity = 127.0f;
// Strip rows: background of an even and an odd bar, their bars, then selected.
constexpr int kBackgroundRow = 0;
constexpr int kBarRow = 2;
constexpr int kSelectedBackgroundRow = 4;
constexpr int kSelectedBarRow = 5;
// A selection wider than this has handles at both ends that scale and tilt it.
constexpr int kHandleSelectionWidth = 38;
constexpr int kHandleWidth = 16;
constexpr int kDecidingMove = 2;
// Continuous parameters adjust in hundredths of their range.
constexpr int kContinuousSteps = 101;

} // namespace

AutomationView::AutomationView(const ViewRect& rect, ViewHost& host, std::shared_ptr<SkinBitmap> strip)
    : StepView(rect, kTagLane, host, std::move(strip)) {
    redrawAll();
}

void AutomationView::geometryChanged() {
    first_ = last_ = -1;
    redrawAll();
}

void AutomationView::redrawAll() {
    dirty_.fill(true);
    setDirty();
}

void AutomationView::redrawRow(int track) {
    if (track == track_)
        redrawAll();
}

void AutomationView::selectTrack(int track) {
    track_ = track;
    first_ = last_ = -1;
    redrawAll();
}

void AutomationView::setVisibleSteps(int steps) {
    gridSteps_ = steps;
    if (!parameterMode_)
        StepView::setVisibleSteps(steps);
}

void AutomationView::enterVelocityMode() {
    parameterMode_ = false;
    parameter_ = -1;
    minimum_ = 0.0f;
    maximum_ = kFullVelocity;
    discrete_ = kVelocityValues;
    default_ = kFullVelocity;
    scale_ = 1.0f;
    StepView::setVisibleSteps(gridSteps_);
    redrawAll();
}

void AutomationView::enterParameterMode(int parameter, float minimum, float maximum, int discreteValues,
                                        float defaultValue) {
    parameterMode_ = true;
    parameter_ = parameter;
    minimum_ = minimum;
    maximum_ = maximum;
    discrete_ = discreteValues;
    default_ = defaultValue;
    scale_ = pattern(track_).automationScale(parameter);
    // Automation is kept per slot: the lane shows every one of them.
    StepView::setVisibleSteps(StepGeometry::kStepsPerBar);
    redrawAll();
}

void AutomationView::setLaneScale(float scale) {
    scale_ = scale;
    redrawAll();
}

void AutomationView::markDirty(int step) {
    if (int c = geometry().columnOfStep(step); c >= 0) {
        dirty_[c] = true;
        setDirty();
    }
}

float AutomationView::valueOf(int step) const {
    TrackPattern& track = host_.machine().sequencer().track(track_);
    return parameterMode_ ? track.automationValue(parameter_, step) : static_cast<float>(track.velocity(step));
}

float AutomationView::shownValue(int step) const {
    const float value = parameterMode_ ? valueOf(step) * scale_ : valueOf(step);
    return std::clamp(value, minimum_, maximum_);
}

float AutomationView::snapped(float value) const {
    value = std::clamp(value, minimum_, maximum_);
    if (discrete_ < 2 || maximum_ <= minimum_)
        return value;
    const float step = (maximum_ - minimum_) / static_cast<float>(discrete_ - 1);
    return std::clamp(minimum_ + std::round((value - minimum_) / step) * step, minimum_, maximum_);
}

void AutomationView::write(int step, float value) {
    if (valueOf(step) == value)
        return;
    TrackPattern& track = pattern(track_);
    if (parameterMode_)
        track.setAutomationPoint(parameter_, step, value);
    else
        track.setStep(step, static_cast<int>(value));
    markDirty(step);
}

void AutomationView::setValue(int step, float value) {
    value = snapped(value);
    write(step, value);
    if (copyMode_ && step < StepGeometry::kStepsPerBar)
        for (int bar = 1; bar < 4; ++bar)
            write(step + bar * StepGeometry::kStepsPerBar, value);
}

float AutomationView::valueAt(int y) const {
    const double share = static_cast<double>(rect().bottom - 1 - y) / (rect().height() - 1);
    const float shown = minimum_ + static_cast<float>(std::clamp(share, 0.0, 1.0)) * (maximum_ - minimum_);
    // The bar ends under the mouse: the stored value is what the scale makes it.
    return parameterMode_ && scale_ > 0.0f ? shown / scale_ : shown;
}

int AutomationView::heightOf(float shown) const {
    if (maximum_ <= minimum_)
        return 0;
    return static_cast<int>(std::lround((shown - minimum_) / (maximum_ - minimum_) * rect().height()));
}

void AutomationView::showStatus(int step) {
    std::string text = StepGeometry::position(step) + "  ";
    char value[DrumMachine::kDisplayLength] = {};
    if (!parameterMode_) {
        std::snprintf(value, sizeof value, "Velocity: %3.0f", valueOf(step));
        setStatus(text + value);
        return;
    }
    DrumMachine& machine = host_.machine();
    const EffectsModule& effects = machine.bank().voice(track_).effects();
    EffectSlotState fx;
    fx.effect = &effects.description();
    fx.sampleRate = machine.renderer().sampleRate();
    const float shown = shownValue(step);
    if (parameter_ >= FXParam1 && parameter_ <= FXParam4)
        fx.stored[parameter_ - FXParam1] = shown;
    ValueDisplay display(machine.model().table());
    display.text(parameter_, shown, fx, value, sizeof value);
    setStatus(text + display.name(parameter_, fx.effect) + ": " + value);
}

void AutomationView::mouseMoved(ViewPoint where) {
    const int step = geometry().stepOfColumn(columnAt(where));
    host_.setMouseCursor(step >= first_ && step <= last_ ? kMoveCursor : kArrowCursor);
    showStatus(step);
}

void AutomationView::mouseDown(ViewPoint where, int buttons) {
    const bool twice = (buttons & kMouseLeft) && isDoubleClick();
    dragging_ = true;
    if ((buttons & kMouseLeft) && (buttons & kModShift)) {
        host_.setMouseCursor(kSelectCursor);
        select(columnAt(where), twice, buttons & kModControl);
    } else if ((buttons & kMouseLeft) && inHandle(where)) {
        scaleSelection(where);
    } else if ((buttons & kMouseLeft) && (buttons & kModControl)) {
        adjust(where);
    } else if (buttons & (kMouseLeft | kMouseRight)) {
        first_ = last_ = -1;
        drawAlong(where, buttons);
    }
    dragging_ = false;
    finishGesture();
}

void AutomationView::finishGesture() {
    host_.rowChanged(tag(), track_);
    // An effect that drawn automation switches on or selects is built now,
    // before the audio thread meets the new values.
    if (parameterMode_ && (parameter_ == FXType || parameter_ == FXActive))
        host_.machine().patternChanged();
}

void AutomationView::drawLine(ViewPoint from, ViewPoint to, float fixedValue, bool fixed) {
    const int w = cellWidth();
    const int a = columnAt(from), b = columnAt(to);
    for (int c = std::min(a, b); c <= std::max(a, b); ++c) {
        // The height of the straight line between the two positions at the column's middle.
        const int x = rect().left + c * w + w / 2;
        const double t = to.x == from.x ? 1.0 : std::clamp(double(x - from.x) / (to.x - from.x), 0.0, 1.0);
        const int y = static_cast<int>(std::lround(from.y + t * (to.y - from.y)));
        setValue(geometry().stepOfColumn(c), fixed ? fixedValue : valueAt(y));
    }
}

void AutomationView::drawAlong(ViewPoint where, int buttons) {
    const int button = buttons & kMouseLeft ? kMouseLeft : kMouseRight;
    const bool fixed = button == kMouseRight;
    ViewPoint previous = where;
    drawLine(where, where, default_, fixed);
    showStatus(geometry().stepOfColumn(columnAt(where)));
    for (MouseState state = mouse(); state.buttons & button; state = mouse()) {
        if (!(state.where == previous)) {
            drawLine(previous, state.where, default_, fixed);
            previous = state.where;
            showStatus(geometry().stepOfColumn(columnAt(state.where)));
            host_.rowChanged(tag(), track_);
        }
        runIdlePump();
    }
}

void AutomationView::adjust(ViewPoint where) {
    const int step = geometry().stepOfColumn(columnAt(where));
    const float start = valueOf(step);
    const int values = discrete_ >= 2 ? discrete_ : kContinuousSteps;
    const float unit = (maximum_ - minimum_) / static_cast<float>(values - 1);
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        const int steps = static_cast<int>(std::lround((where.y - state.where.y) / kPixelsPerStep));
        setValue(step, start + static_cast<float>(steps) * unit);
        showStatus(step);
        runIdlePump();
    }
}

void AutomationView::select(int pressedColumn, bool twice, bool allShown) {
    if (twice) {
        const int perBar = geometry().visibleSteps;
        const int firstColumn = allShown ? 0 : pressedColumn / perBar * perBar;
        const int lastColumn = allShown ? geometry().columns() - 1 : firstColumn + perBar - 1;
        first_ = geometry().stepOfColumn(firstColumn);
        last_ = geometry().stepOfColumn(lastColumn) + geometry().stepsPerColumn() - 1;
        redrawAll();
        host_.setMouseCursor(kMoveCursor);
        return;
    }
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        const int column = columnAt(state.where);
        first_ = geometry().stepOfColumn(std::min(column, pressedColumn));
        last_ = geometry().stepOfColumn(std::max(column, pressedColumn)) + geometry().stepsPerColumn() - 1;
        redrawAll();
        runIdlePump();
    }
}

bool AutomationView::inHandle(ViewPoint where) const {
    if (first_ < 0)
        return false;
    const int w = cellWidth();
    const int left = rect().left + geometry().columnOfStep(first_) * w;
    const int right = rect().left + (geometry().columnOfStep(last_) + 1) * w;
    if (right - left <= kHandleSelectionWidth || where.x < left || where.x >= right)
        return false;
    return where.x < left + kHandleWidth || where.x >= right - kHandleWidth;
}

// A handle drag either scales or tilts, as its first move of more than two
// pixels is vertical or horizontal. Moving up raises the factor (from 1 at the
// press, 0..2); moving right tilts (-1..1): the selection's first slot is
// multiplied by 1 - tilt, its last by 1 + tilt, the slots between on the
// straight line. Both multiply: new = old * factor * (1 + tilt * p), p from -1
// to 1 over the selection, clamped to the range (hits keep at least 1).
void AutomationView::scaleSelection(ViewPoint where) {
    std::vector<float> original;
    for (int s = first_; s <= last_; ++s)
        original.push_back(valueOf(s));
    enum class Direction { Open, Vertical, Horizontal } direction = Direction::Open;
    host_.setMouseCursor(kMoveCursor);
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        const int dx = state.where.x - where.x, dy = state.where.y - where.y;
        if (direction == Direction::Open && std::max(std::abs(dx), std::abs(dy)) > kDecidingMove)
            direction = std::abs(dy) >= std::abs(dx) ? Direction::Vertical : Direction::Horizontal;
        const float factor = direction == Direction::Vertical ? std::clamp(1.0f - dy * 0.01f, 0.0f, 2.0f) : 1.0f;
        const float tilt = direction == Direction::Horizontal ? std::clamp(dx * 0.01f, -1.0f, 1.0f) : 0.0f;
        for (int s = first_; s <= last_; ++s) {
            const float old = original[s - first_];
            const float p = last_ > first_ ? 2.0f * (s - first_) / (last_ - first_) - 1.0f : 0.0f;
            float value = snapped(old * factor * (1.0f + tilt * p));
            if (!parameterMode_ && old > 0.0f)
                value = std::max(value, 1.0f);
            write(s, value);
        }
        char text[48];
        if (direction == Direction::Horizontal)
            std::snprintf(text, sizeof text, "Scale: %.0f%% (%.0f)", factor * 100.0f, tilt * 100.0f);
        else
            std::snprintf(text, sizeof text, "Scale: %.0f%%", factor * 100.0f);
        setStatus(text);
        runIdlePump();
    }
}

void AutomationView::draw(DrawContext& context) {
    {
        DrawContext picture(picture_);
        const int w = cellWidth();
        const int h = rect().height();
        const int base = heightOf(std::clamp(0.0f, minimum_, maximum_));
        for (int c = 0; c < geometry().columns(); ++c) {
            if (!dirty_[c])
                continue;
            dirty_[c] = false;
            const int step = geometry().stepOfColumn(c);
            const bool selected = step >= first_ && step <= last_;
            paintCell(picture, c, 0, h, selected ? kSelectedBackgroundRow : kBackgroundRow + geometry().oddBar(c));
            const int top = heightOf(shownValue(step));
            if (top == base)
                continue;
            picture.pushClip({c * w, h - std::max(top, base), (c + 1) * w, h - std::min(top, base)});
            paintCell(picture, c, 0, h, selected ? kSelectedBarRow : kBarRow + geometry().oddBar(c));
            picture.popClip();
        }
    }
    cairo_surface_flush(picture_);
    showPicture(context);
}

} // namespace trommik2
