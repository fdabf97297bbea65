#include "ThumbnailGeometry.h"

#include <cmath>

namespace trommik2 {

namespace {

constexpr int kRows = 16;

// Whole part, at least 1, and otherwise reduced by its half so cells keep a gap.
int cellSize(double pixels) {
    int w = static_cast<int>(std::fmin(pixels, 2147483647.0));
    return w < 1 ? 1 : w - w / 2;
}

} // namespace

bool ThumbnailGeometry::compute(int left, int top, int right, int bottom, int start, int end, float tempo,
                                float sampleRate, ThumbnailGeometry* out) {
    if (!(tempo > 0.0f) || !(sampleRate > 0.0f) || right <= left || bottom <= top)
        return false;
    double secondsPerBar = 60.0 / (tempo * 0.25);
    double stepsPerSample = 1.0 / (secondsPerBar * 0.03125 * sampleRate);
    double first = start * stepsPerSample;
    double count = stepsPerSample * (static_cast<double>(end) - start);
    if (!(std::fabs(first) < 2147483647.0) || !(count >= 1.0 && count < kMaxColumns + 1.0))
        return false;
    ThumbnailGeometry g;
    g.left = left;
    g.top = top;
    g.firstStep = static_cast<int>(first);
    g.stepCount = static_cast<int>(count);
    g.pixelsPerStep = (static_cast<double>(right) - left) / g.stepCount;
    g.cellWidth = cellSize(g.pixelsPerStep);
    g.rowHeight = (static_cast<double>(bottom) - top) / kRows;
    g.cellHeight = cellSize(g.rowHeight);
    *out = g;
    return true;
}

} // namespace trommik2
