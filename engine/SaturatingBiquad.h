#pragma once

#include "Biquad.h"
#include "Dsp.h"

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

    // Filters over the same n samples side by side, two at a time in the
    // processor's vector lanes: out[k][i] = process(in[k][i]) rounded to float,
    // computed operation by operation as process() does.
    static void processTogether(SaturatingBiquad* const* filters, int count, const float* const* in, float* const* out,
                                int n);

  private:
    struct Section {
        // Per sample, so defined here where the filters' loops can inline it.
        double step(double x) {
            double y = biquad.b0() * x + z1;
            double out = (0.03 * previous + 0.97 * dsp::softClip(y)) * wet + dry * y;
            previous = out;
            z1 = biquad.b1() * x + z2 - biquad.a1() * out;
            z2 = biquad.b2() * x - biquad.a2() * out;
            return out;
        }
        Biquad biquad;
        double previous = 0.0;
        double z1 = 0.0;
        double z2 = 0.0;
        double wet = 0.001;
        double dry = 0.999;
    };

    template <bool Series, int kPairs>
    static void processPairs(SaturatingBiquad* const* filters, const float* const* in, float* const* out, int n);
    void processAlone(const float* in, float* out, int n);

    Section sections_[2];
    int mode_ = 12;
};

} // namespace trommik2
