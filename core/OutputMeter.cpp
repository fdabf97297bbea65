#include "OutputMeter.h"

#include <cmath>

namespace trommik2 {

void OutputMeter::setSampleRate(float rate) {
    sampleRate_ = rate;
    level_ = 0.0f;
    release_ = std::pow(0.01f, 1.0f / (1500.0f * rate * 0.001f));
}

void OutputMeter::process(const float* x, int n) {
    float level = level_;
    for (int i = 0; i < n; ++i) {
        // The comparison takes the signed sample: negative peaks do not raise the level.
        if (x[i] > level)
            level = std::fabs(x[i]);
        else
            level = (level - x[i]) * release_ + x[i];
    }
    level_ = level;
}

} // namespace trommik2
