#include "StepGrid.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>

#include "ControlTags.h"
#include "EditorFrame.h"
#include "core/DrumMachine.h"

namespace trommik2 {
namespace {

constexpr int kFullVelocity = 127;
constexpr int kSelectedRow = 8;
constexpr SkinColour kBarLine{0, 0, 0};
constexpr SkinColour kBeatLine{5 / 255.0, 55 / 255.0, 55 / 255.0};
constexpr SkinColour kOutline{200 / 255.0, 200 / 255.0, 200 / 255.0};
constexpr SkinColour kCursor{1.0, 0.93, 0.78};

} // namespace

StepGrid::StepGrid(const ViewRect& rect, ViewHost& host, std::shared_ptr<SkinBitmap> strip)
    : StepView(rect, kTagStepGrid, host, std::move(strip)) {
    redrawAll();
}

void StepGrid::geometryChanged() {
    selection_ = {};
    redrawAll();
}

void StepGrid::redrawAll() {
    for (auto& row : dirty_)
        row.fill(true);
    setDirty();
}

void StepGrid::redrawRow(int track) {
    if (track < 0 || track >= kTracks)
        return;
    dirty_[track].fill(true);
    setDirty();
}

void StepGrid::selectTrack(int previous, int track) {
    selectedTrack_ = std::clamp(track, 0, kTracks - 1);
    redrawRow(previous);
    redrawRow(selectedTrack_);
}

void StepGrid::markDirty(int step, int track) {
    if (int c = geometry().columnOfStep(step); c >= 0 && track >= 0 && track < kTracks) {
        dirty_[track][c] = true;
        setDirty();
    }
}

StepGrid::Cell StepGrid::cellAt(ViewPoint where) const {
    return {geometry().stepOfColumn(columnAt(where)), trackAt(where)};
}

int StepGrid::trackAt(ViewPoint where) const {
    return std::clamp(where.y - rect().top, 0, kTracks * kRowHeight - 1) / kRowHeight;
}

void StepGrid::write(int step, int track, int velocity) {
    if (pattern(track).velocity(step) == velocity)
        return;
    pattern(track).setStep(step, velocity);
    markDirty(step, track);
}

void StepGrid::setStep(int step, int track, int velocity) {
    write(step, track, velocity);
    if (copyMode_ && step < StepGeometry::kStepsPerBar)
        for (int bar = 1; bar < 4; ++bar)
            write(step + bar * StepGeometry::kStepsPerBar, track, velocity);
}

void StepGrid::showStatus(int step, int track) {
    std::string text = StepGeometry::position(step);
    if (int velocity = pattern(track).velocity(step); velocity > 0)
        text += "  Velocity: " + std::to_string(velocity);
    setStatus(text);
}

void StepGrid::changed(int track) {
    if (track != host_.selectedTrack() && track >= 0)
        host_.selectTrack(tag(), track);
    host_.rowChanged(tag(), track);
}

void StepGrid::mouseDown(ViewPoint where, int buttons) {
    const Cell pressed = cellAt(where);
    const bool twice = (buttons & kMouseLeft) && isDoubleClick();
    dragging_ = true;
    if ((buttons & kMouseLeft) && !twice && selection_.contains(pressed.step, pressed.track)) {
        moveSelection(pressed);
    } else if ((buttons & kMouseRight) && selection_.contains(pressed.step, pressed.track)) {
        clearSelection(true);
    } else if ((buttons & kMouseLeft) && (buttons & kModShift)) {
        host_.setMouseCursor(kSelectCursor);
        if (twice)
            selectBars(pressed, buttons & kModControl);
        else
            select(pressed);
    } else if (!selection_.empty()) {
        setSelection({});
    } else if (buttons & (kMouseLeft | kMouseRight)) {
        const bool hit = pattern(pressed.track).velocity(pressed.step) > 0;
        paint(pressed, (buttons & kMouseLeft) && !hit ? kFullVelocity : 0);
    }
    dragging_ = false;
}

void StepGrid::paint(Cell pressed, int velocity) {
    setStep(pressed.step, pressed.track, velocity);
    changed(pressed.track);
    showStatus(pressed.step, pressed.track);
    const int button = mouse().buttons & (kMouseLeft | kMouseRight);
    const int startColumn = geometry().columnOfStep(pressed.step);
    enum class Direction { Open, Row, Column } direction = Direction::Open;
    for (MouseState state = mouse(); button && (state.buttons & button); state = mouse()) {
        const int column = columnAt(state.where);
        const int track = trackAt(state.where);
        if (direction == Direction::Open && (column != startColumn || track != pressed.track))
            direction =
                std::abs(column - startColumn) >= std::abs(track - pressed.track) ? Direction::Row : Direction::Column;
        if (direction == Direction::Row) {
            for (int c = std::min(column, startColumn); c <= std::max(column, startColumn); ++c)
                setStep(geometry().stepOfColumn(c), pressed.track, velocity);
            changed(pressed.track);
            showStatus(geometry().stepOfColumn(column), pressed.track);
        } else if (direction == Direction::Column) {
            for (int t = std::min(track, pressed.track); t <= std::max(track, pressed.track); ++t) {
                setStep(pressed.step, t, velocity);
                host_.rowChanged(tag(), t);
            }
            showStatus(pressed.step, track);
        }
        runIdlePump();
    }
}

StepGrid::Selection StepGrid::selectionOf(int columnA, int trackA, int columnB, int trackB) const {
    const int first = std::min(columnA, columnB), last = std::max(columnA, columnB);
    return {geometry().stepOfColumn(first), std::min(trackA, trackB),
            geometry().stepOfColumn(last) + geometry().stepsPerColumn() - 1, std::max(trackA, trackB)};
}

void StepGrid::setSelection(const Selection& selection) {
    if (selection == selection_)
        return;
    selection_ = selection;
    setDirty();
}

void StepGrid::select(Cell pressed) {
    const int column = geometry().columnOfStep(pressed.step);
    for (MouseState state = mouse(); state.buttons & kMouseLeft; state = mouse()) {
        setSelection(selectionOf(column, pressed.track, columnAt(state.where), trackAt(state.where)));
        runIdlePump();
    }
}

void StepGrid::selectBars(Cell pressed, bool allShown) {
    const int perBar = geometry().visibleSteps;
    const int column = geometry().columnOfStep(pressed.step);
    const int first = allShown ? 0 : column / perBar * perBar;
    const int last = allShown ? geometry().columns() - 1 : first + perBar - 1;
    setSelection(selectionOf(first, 0, last, kTracks - 1));
    host_.setMouseCursor(kMoveCursor);
}

void StepGrid::moveSelection(Cell pressed) {
    host_.setMouseCursor(kMoveCursor);
    for (int t = 0; t < kTracks; ++t)
        for (int s = 0; s < kSlots; ++s)
            snapshot_[t][s] = static_cast<uint8_t>(pattern(t).velocity(s));
    const int perColumn = geometry().stepsPerColumn();
    const int firstColumn = geometry().columnOfStep(selection_.left);
    const int lastColumn = geometry().columnOfStep(selection_.right);
    const int pressedColumn = geometry().columnOfStep(pressed.step);
    int dColumns = 0, dTracks = 0, stamped = -1;
    MouseState state = mouse();
    for (; state.buttons & kMouseLeft; state = mouse()) {
        // The copy stays inside the tracks and the shown columns.
        dColumns =
            std::clamp(columnAt(state.where) - pressedColumn, -firstColumn, geometry().columns() - 1 - lastColumn);
        dTracks = std::clamp(trackAt(state.where) - pressed.track, -selection_.top, kTracks - 1 - selection_.bottom);
        const bool hitsOnly = state.buttons & kModControl;
        const int key = (dColumns * 64 + dTracks + 32) * 2 + hitsOnly;
        if (key != stamped) {
            stamped = key;
            stampSelection(dColumns * perColumn, dTracks, hitsOnly);
        }
        runIdlePump();
    }
    for (int t = selection_.top + dTracks; t <= selection_.bottom + dTracks; ++t)
        host_.rowChanged(tag(), t);
    if (state.buttons & kModShift)
        setSelection({selection_.left + dColumns * perColumn, selection_.top + dTracks,
                      selection_.right + dColumns * perColumn, selection_.bottom + dTracks});
    else
        setSelection({});
}

void StepGrid::stampSelection(int dSteps, int dTracks, bool hitsOnly) {
    for (int t = 0; t < kTracks; ++t)
        for (int s = 0; s < kSlots; ++s)
            write(s, t, snapshot_[t][s]);
    if (dSteps == 0 && dTracks == 0)
        return;
    for (int t = selection_.top; t <= selection_.bottom; ++t)
        for (int s = selection_.left; s <= selection_.right; ++s)
            if (!hitsOnly || snapshot_[t][s] > 0)
                write(s + dSteps, t + dTracks, snapshot_[t][s]);
}

void StepGrid::clearSelection(bool reportRows) {
    for (int t = selection_.top; t <= selection_.bottom; ++t) {
        for (int s = selection_.left; s <= selection_.right; ++s)
            write(s, t, 0);
        if (reportRows)
            host_.rowChanged(tag(), t);
    }
    setSelection({});
}

void StepGrid::mouseMoved(ViewPoint where) {
    const Cell cell = cellAt(where);
    const int buttons = mouse().buttons;
    host_.setMouseCursor(selection_.contains(cell.step, cell.track) ? kMoveCursor
                         : (buttons & kModShift)                    ? kSelectCursor
                                                                    : kArrowCursor);
    showStatus(cell.step, cell.track);
}

bool StepGrid::wheel(ViewPoint where, float distance, int buttons) {
    const Cell cell = cellAt(where);
    const int velocity = pattern(cell.track).velocity(cell.step);
    if (velocity == 0)
        return true;
    const float change = distance * ((buttons & kModShift) ? 1.0f : 2.0f);
    setStep(cell.step, cell.track, std::clamp(static_cast<int>(static_cast<float>(velocity) + change), 1, 127));
    changed(cell.track);
    showStatus(cell.step, cell.track);
    return true;
}

int StepGrid::playStep() const {
    const Sequencer& sequencer = host_.machine().sequencer();
    const int step = sequencer.position() / std::max(1, sequencer.samplesPerStep());
    const int slot = std::clamp(step, 0, kSlots - 1);
    return slot - slot % geometry().stepsPerColumn();
}

bool StepGrid::keyDown(const X11KeyEvent& key) {
    const int track = host_.selectedTrack();
    if (key.keysym == XK_Return || key.keysym == XK_KP_Enter) {
        if (!host_.hostPlaying())
            return false;
        if (pattern(track).velocity(playStep()) == 0)
            setStep(playStep(), track, kFullVelocity);
        host_.audition();
        host_.rowChanged(tag(), track);
        return true;
    }
    if (key.keysym != XK_KP_Decimal && key.keysym != XK_KP_Delete)
        return false;
    if (!selection_.empty())
        clearSelection(true);
    else {
        write(playStep(), track, 0);
        host_.rowChanged(tag(), track);
    }
    return true;
}

bool StepGrid::refreshPlayCursor() {
    int x = -1;
    const Sequencer& sequencer = host_.machine().sequencer();
    if (host_.hostPlaying()) {
        const double bar = Sequencer::barLength(sequencer.tempo(), sequencer.sampleRate());
        const double offset = sequencer.position() - geometry().firstBar * bar;
        const double shown = geometry().barCount * bar;
        if (bar > 0 && offset >= 0 && offset < shown)
            x = static_cast<int>(offset * rect().width() / shown);
    }
    if (x == cursorX_)
        return false;
    cursorX_ = x;
    setDirty();
    return true;
}

ViewRect StepGrid::selectionRect() const {
    const int first = geometry().columnOfStep(selection_.left);
    const int last = geometry().columnOfStep(selection_.right);
    const int w = cellWidth();
    return ViewRect{first * w, selection_.top * kRowHeight, (last + 1) * w, (selection_.bottom + 1) * kRowHeight}
        .offset(rect().left, rect().top);
}

void StepGrid::draw(DrawContext& context) {
    {
        DrawContext picture(picture_);
        const int w = cellWidth();
        for (int t = 0; t < kTracks; ++t) {
            for (int c = 0; c < geometry().columns(); ++c) {
                if (!dirty_[t][c])
                    continue;
                dirty_[t][c] = false;
                const bool hit = pattern(t).velocity(geometry().stepOfColumn(c)) > 0;
                const int row =
                    t == selectedTrack_ ? kSelectedRow + hit : (hit ? 4 : 0) + (geometry().oddBar(c) ? 2 : 0) + (t % 2);
                paintCell(picture, c, t * kRowHeight, kRowHeight, row);
                if (geometry().startsBar(c) || geometry().startsBeat(c))
                    picture.line({c * w, t * kRowHeight}, {c * w, (t + 1) * kRowHeight - 1},
                                 geometry().startsBar(c) ? kBarLine : kBeatLine);
            }
        }
    }
    cairo_surface_flush(picture_);
    showPicture(context);
    if (!selection_.empty() && geometry().columnOfStep(selection_.left) >= 0)
        context.frameRect(selectionRect(), kOutline);
    if (cursorX_ >= 0)
        context.fillRect({rect().left + cursorX_, rect().top, rect().left + cursorX_ + 2, rect().bottom}, kCursor);
}

} // namespace trommik2
