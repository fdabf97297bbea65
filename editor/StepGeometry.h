#pragma once

#include <algorithm>
#include <cstdio>
#include <string>

namespace trommik2 {

// The columns the step grid and the automation lane show: count bars from
// first, each cut into visible steps (8, 16 or 32) of the pattern's 32 slots.
// Cells are as wide as the view divided by the columns: 80, 40, 20, 10 or 5.
struct StepGeometry {
    static constexpr int kStepsPerBar = 32;
    static constexpr int kWidths[5] = {80, 40, 20, 10, 5};

    int firstBar = 0;
    int barCount = 1;
    int visibleSteps = 16;

    int columns() const { return visibleSteps * barCount; }
    int cellWidth(int viewWidth) const { return viewWidth / columns(); }
    int stepsPerColumn() const { return kStepsPerBar / visibleSteps; }
    // Where the cell pictures of this width start in a strip of all five widths.
    int stripOffset(int viewWidth) const {
        int x = 0;
        for (int w : kWidths)
            if (w > cellWidth(viewWidth))
                x += w;
        return x;
    }
    // The first slot of column c.
    int stepOfColumn(int c) const { return firstBar * kStepsPerBar + c * stepsPerColumn(); }
    // The column that shows a slot, -1 outside the shown bars.
    int columnOfStep(int step) const {
        int c = (step - firstBar * kStepsPerBar) / stepsPerColumn();
        return step >= firstBar * kStepsPerBar && c < columns() ? c : -1;
    }
    // The column under x (view coordinates), clamped to the shown ones.
    int columnAt(int x, int viewWidth) const {
        const int w = cellWidth(viewWidth);
        return std::clamp(x, 0, columns() * w - 1) / w;
    }
    bool startsBar(int c) const { return c % visibleSteps == 0; }
    bool startsBeat(int c) const { return c % (visibleSteps / 4) == 0; }
    // Bars alternate in shade; the index counts from the pattern's first bar.
    bool oddBar(int c) const { return (firstBar + c / visibleSteps) % 2 != 0; }
    bool operator==(const StepGeometry&) const = default;

    // "[bar:beat:position]" of a slot, all counted from 1 (a beat is 8 slots).
    static std::string position(int step) {
        char text[32];
        std::snprintf(text, sizeof text, "[%d:%d:%d]", step / 32 + 1, step % 32 / 8 + 1, step % 8 + 1);
        return text;
    }
};

} // namespace trommik2
