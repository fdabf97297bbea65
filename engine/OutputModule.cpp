#include "OutputModule.h"

#include <cmath>

#include "RunBlock.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

void panBlock(const float* __restrict inLeft, const float* __restrict inRight, float* __restrict outLeft,
              float* __restrict outRight, float* __restrict meter, float left, float right, int n) {
    for (int i = 0; i < n; ++i) {
        outLeft[i] = inLeft[i] * left;
        outRight[i] = inRight[i] * right;
        meter[i] = inLeft[i] + inRight[i];
    }
}

} // namespace

OutputModule::OutputModule() : SoundModule("Output Module", OutLevelDB, 2) {
    setDefault(OutLevelDB, 0.0f);
    setDefault(OutPan, 0.0f);
}

float OutputModule::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, float* meter,
                            int n) {
    const float level = smoothed(OutLevelDB);
    if (!(level == lastLevel_)) {
        lastLevel_ = level;
        gain_ = std::pow(10.0f, 0.05f * level);
    }
    const float gain = gain_;
    float p = (smoothed(OutPan) + 1.0f) * 0.5f;
    float left = gain * (1.0f - p);
    float right = gain * p;
    dsp::runBlock(n, [&](int count) { panBlock(inLeft, inRight, outLeft, outRight, meter, left, right, count); });
    return gain;
}

} // namespace trommik2
