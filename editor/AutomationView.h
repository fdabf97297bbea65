#pragma once

#include <array>

#include "StepView.h"

namespace trommik2 {

// The automation lane under the instrument panel: one row of vertical bars for
// the selected track, either the velocities of its hits (0..127, the grid's
// columns) or its automation of one instrument parameter (always 32 columns
// per bar). Dragging draws the values along the mouse's path, the right button
// draws the default, Control adjusts the pressed column from its value in
// discrete steps, Shift selects steps whose values the ends of the selection
// scale and tilt. User-interface thread; the audio thread reads what the lane
// writes through the pattern's atomics.
class AutomationView : public StepView {
  public:
    static constexpr int kSlots = 128;
    // Pixels of vertical movement per discrete step of a relative adjustment.
    static constexpr double kPixelsPerStep = 2.5;

    AutomationView(const ViewRect& rect, ViewHost& host, std::shared_ptr<SkinBitmap> strip);

    void setVisibleSteps(int steps) override;
    void redrawRow(int track) override;
    void redrawAll() override;
    void selectTrack(int track);
    // Copy mode: values written in bar 1 are written in bars 2..4 as well.
    void setCopyMode(bool on) { copyMode_ = on; }

    void enterVelocityMode();
    // discreteValues: the values snapped to, spread evenly over minimum..maximum
    // (0 or 1: continuous).
    void enterParameterMode(int parameter, float minimum, float maximum, int discreteValues, float defaultValue);
    // The lane's scale multiplies the bars as playback multiplies the values.
    void setLaneScale(float scale);
    bool parameterMode() const { return parameterMode_; }
    int parameter() const { return parameterMode_ ? parameter_ : -1; }
    // First and last slot, -1 for none.
    int selectionFirst() const { return first_; }
    int selectionLast() const { return last_; }

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;
    void mouseMoved(ViewPoint where) override;

    // A value in the lane's units snapped to its discrete values and clamped.
    float snapped(float value) const;

  private:
    void geometryChanged() override;
    float valueOf(int step) const;
    // What the bar of a slot shows: the value times the lane's scale, clamped.
    float shownValue(int step) const;
    void write(int step, float value);
    void setValue(int step, float value);
    // The stored value whose bar reaches the height y (frame coordinates).
    float valueAt(int y) const;
    int heightOf(float shown) const;
    void showStatus(int step);
    void select(int pressedColumn, bool twice, bool allShown);
    void drawLine(ViewPoint from, ViewPoint to, float fixedValue, bool fixed);
    void drawAlong(ViewPoint where, int buttons);
    void adjust(ViewPoint where);
    bool inHandle(ViewPoint where) const;
    void scaleSelection(ViewPoint where);
    void finishGesture();
    void markDirty(int step);

    std::array<bool, kSlots> dirty_{};
    bool parameterMode_ = false;
    int parameter_ = -1;
    float minimum_ = 0.0f;
    float maximum_ = 127.0f;
    int discrete_ = 128;
    float default_ = 127.0f;
    float scale_ = 1.0f;
    int gridSteps_ = 16;
    int track_ = 0;
    int first_ = -1, last_ = -1;
    bool copyMode_ = false;
};

} // namespace trommik2
