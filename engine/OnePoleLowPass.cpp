#include "OnePoleLowPass.h"

#include "Dsp.h"

namespace trommik2 {

void OnePoleLowPass::setCutoff(float hz, float sampleRate) {
    float w = dsp::clip(hz, 0.1f, 0.499999f * sampleRate);
    float r = w / (sampleRate * 0.5f) + 1e-19f;
    p_ = (1.0f - r) * (1.0f - r);
}

} // namespace trommik2
