#pragma once

namespace trommik2 {

// Where the pattern's cells fall in the host's thumbnail rectangle: one column
// per thirty-second step of the painted range, one row per track.
struct ThumbnailGeometry {
    // False when nothing can be painted (no steps, no tempo, empty rectangle).
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

    int cellLeft(int column) const { return left + static_cast<int>(column * pixelsPerStep); }
    int cellTop(int row) const { return top + static_cast<int>(row * rowHeight); }
};

} // namespace trommik2
