#pragma once

#include "Biquad.h"

namespace trommik2 {

// One or two resonant sections in series (12 or 24 dB per octave) whose
// feedback passes a soft saturation, mixed with the clean output.
class SaturatingBiquad {
  public:
    SaturatingBiquad();

    void setSampleRate(double rate);
    void setMode(int mode) { mode_ = mode; } // 12 or 24
    int mode() const { return mode_; }
    // Biquad::kLowPassQ, kBandPassQ or kHighPassQ.
    void setType(int type);
    // W is the weight of the saturated path, D of the clean one.
    void setSaturationMix(double wet, double dry);
    // Designs both sections at cutoff f (Hz) and resonance r (0..1).
    void design(double f, double r);
    void clear();

    double process(double x) {
        x = sections_[0].step(x);
        return mode_ == 24 ? sections_[1].step(x) : x;
    }

  private:
    struct Section {
        double step(double x);
        Biquad biquad;
        double previous = 0.0;
        double z1 = 0.0;
        double z2 = 0.0;
        double wet = 0.001;
        double dry = 0.999;
    };

    Section sections_[2];
    int mode_ = 12;
};

} // namespace trommik2
