#include "OutputMeter.h"

#include <cmath>

namespace trommik2 {

void OutputMeter::setSampleRate(float rate) {
    sampleRate_ = rate;
    level_ = 0.0f;
    release_ = std::pow(0.01f, 1.0f / (1500.0f * rate * 0.001f));
}

namespace {

// The comparison takes the signed sample: negative peaks do not raise the level.
inline float follow(float level, float x, float release) {
    return x > level ? std::fabs(x) : (level - x) * release + x;
}

} // namespace

// The two channels' recursions in one loop, so that the processor overlaps them.
void OutputMeter::processPair(OutputMeter& left, OutputMeter& right, const float* x, const float* y, int n) {
    float levelLeft = left.level_, levelRight = right.level_;
    const float releaseLeft = left.release_, releaseRight = right.release_;
    for (int i = 0; i < n; ++i) {
        levelLeft = follow(levelLeft, x[i], releaseLeft);
        levelRight = follow(levelRight, y[i], releaseRight);
    }
    left.level_ = levelLeft;
    right.level_ = levelRight;
}

} // namespace trommik2
