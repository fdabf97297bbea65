#include "ModuleParameter.h"

#include "Dsp.h"

namespace trommik2 {

void ModuleParameter::setSampleRate(float rate) {
    sampleRate = rate;
    controlRate = rate / blockLength;
    setSmoothingTime(smoothingMs);
}

void ModuleParameter::setSmoothingTime(float ms) {
    smoothingMs = ms < 0.001f ? 0.001f : ms;
    float c = controlRate;
    float w = 1000.0f / smoothingMs;
    w = dsp::clip(w, 1.0f, c * 0.5f);
    w = dsp::clip(w, 0.1f, 0.499999f * c);
    float r = w / (c * 0.5f) + 1e-19f;
    float p = (1.0f - r) * (1.0f - r);
    b = 1.0f - p;
    a = -p;
}

void ModuleParameter::reset() {
    slot[kOffset] = 0.0f;
    slot[kTarget] = slot[kBase];
    slot[kSmoothed] = slot[kBase];
    // The smoother continues from the value it now holds; starting it from zero
    // would make the first change after a reset dip toward zero for a few blocks.
    state = slot[kBase];
}

void ModuleParameter::snap() {
    const float target = slot[kBase] + slot[kOffset];
    slot[kTarget] = target;
    slot[kSmoothed] = target;
    state = target;
}

} // namespace trommik2
