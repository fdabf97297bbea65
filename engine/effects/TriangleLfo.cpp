#include "TriangleLfo.h"

#include <cmath>

#include "engine/Dsp.h"

namespace trommik2 {

void TriangleLfo::setSmoothing(float cutoff, float controlRate) {
    float w = dsp::clip(cutoff / (controlRate * 0.5f), 0.0f, 1.0f);
    float g = w * 1.5707963f + 1e-19f;
    float d = 1.0f - w * w * w + 1e-19f;
    b0_ = b1_ = g / (d + g);
    a1_ = (g - d) / (d + g);
}

// The triangle as a function of a wrapping phase: the same values as a point that
// moves by a fixed step and reverses at the ends, for any step size.
float TriangleLfo::triangle() const {
    float p = bipolar_ ? phase_ + 0.25f : phase_;
    if (p >= 1.0f)
        p -= 1.0f;
    float unipolar = p < 0.5f ? 2.0f * p : 2.0f - 2.0f * p;
    return bipolar_ ? 2.0f * unipolar - 1.0f : unipolar;
}

float TriangleLfo::advance() {
    phase_ += increment_;
    if (phase_ >= 1.0f)
        phase_ -= std::floor(phase_);
    float input = triangle();
    output_ = b0_ * input + b1_ * previousInput_ - a1_ * output_;
    previousInput_ = input;
    return output_;
}

void TriangleLfo::restart() {
    phase_ = 0.0f;
    previousInput_ = 0.0f;
    output_ = 0.0f;
}

} // namespace trommik2
