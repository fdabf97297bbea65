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
    for (Section& s : sections_)
        s.biquad.design(f, q);
}

void SaturatingBiquad::clear() {
    for (Section& s : sections_)
        s.previous = s.z1 = s.z2 = 0.0;
}

double SaturatingBiquad::Section::step(double x) {
    double y = biquad.b0() * x + z1;
    double out = (0.03 * previous + 0.97 * dsp::softClip(y)) * wet + dry * y;
    previous = out;
    z1 = biquad.b1() * x + z2 - biquad.a1() * out;
    z2 = biquad.b2() * x - biquad.a2() * out;
    return out;
}

} // namespace trommik2
