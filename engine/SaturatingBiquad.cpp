#include "SaturatingBiquad.h"

#include <cmath>

#include "Dsp.h"

namespace trommik2 {

SaturatingBiquad::SaturatingBiquad() { setType(Biquad::kLowPassQ); }

void SaturatingBiquad::setSampleRate(double rate) {
    for (Section& s : sections_)
        s.biquad.setSampleRate(rate);
}

void SaturatingBiquad::setType(int type) {
    for (Section& s : sections_)
        s.biquad.setType(type);
}

void SaturatingBiquad::setSaturationMix(double wet, double dry) {
    for (Section& s : sections_) {
        s.wet = wet;
        s.dry = dry;
    }
}

void SaturatingBiquad::design(double f, double r) {
    f = dsp::clip(f, 1.0, 20000.0);
    double shaped = dsp::clip((1.0 - std::pow(f / 20000.0, 12.0)) * r, 0.0, 1.0);
    double q = 10000.0 * std::pow(shaped, 256.0) + 10.0 * shaped * shaped + 2.0 * shaped + 0.5;
    // Both sections share type, rate and design: the second takes the first's result.
    sections_[0].biquad.design(f, q);
    sections_[1].biquad = sections_[0].biquad;
}

void SaturatingBiquad::clear() {
    for (Section& s : sections_)
        s.previous = s.z1 = s.z2 = 0.0;
}

} // namespace trommik2
