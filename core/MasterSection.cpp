#include "MasterSection.h"

#include "engine/Dsp.h"

namespace trommik2 {

void MasterSection::setSampleRate(float rate) {
    float fc = dsp::clip(35.0f, 0.1f, 0.499999f * rate);
    float g = 1.0f - fc / (rate * 0.5f) - 1e-19f;
    g *= g;
    a_ = 1.0f - g;
    b_ = -g;
}

void MasterSection::process(int c, float* mix, int n, float volume) {
    float state = state_[c];
    for (int i = 0; i < n; ++i) {
        float x = mix[i] * volume;
        float y = a_ * x - b_ * state;
        state = y;
        mix[i] = dsp::softClip(x - y);
    }
    state_[c] = state;
}

} // namespace trommik2
