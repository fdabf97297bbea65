#pragma once

#include <cmath>

namespace trommik2 {

// Where the pattern's cells fall in the host's thumbnail rectangle: one column
// per thirty-second step of the painted range, one row per track.
struct ThumbnailGeometry {
    // More columns than any screen has pixels: such a range is not painted.
    static constexpr int kMaxColumns = 16384;

    // False when nothing can be painted: no steps, no tempo, an empty rectangle,
    // or a range of steps beyond an int or wider than kMaxColumns.
    static bool compute(int left, int top, int right, int bottom, int start, int end, float tempo, float sampleRate,
                        ThumbnailGeometry* out);

    int left = 0;
    int top = 0;
    int firstStep = 0;
    int stepCount = 0;
    double pixelsPerStep = 0.0;
    double rowHeight = 0.0;
    int cellWidth = 0;
    int cellHeight = 0;

    // The whole parts of the offsets, in double: a rectangle may span more than an int.
    double cellLeft(int column) const { return left + std::trunc(column * pixelsPerStep); }
    double cellTop(int row) const { return top + std::trunc(row * rowHeight); }
};

} // namespace trommik2
