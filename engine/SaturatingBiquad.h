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

    // Up to kTogether filters over the same n samples side by side, two at a
    // time in the processor's vector lanes: samples[i][k] is input sample i of
    // filters[k], replaced by its output. Each filter computes what process()
    // would, operation by operation; columns from count on are left as they are.
    static constexpr int kTogether = 4;
    static void processTogether(SaturatingBiquad* const* filters, int count, double (*samples)[kTogether], int n);

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

    // Steps sections a and b over columns column and column + 1 of samples;
    // a column whose write flag is false keeps its values.
    static void stepPair(Section& a, Section& b, bool writeA, bool writeB, double (*samples)[kTogether], int column,
                         int n);

    Section sections_[2];
    int mode_ = 12;
};

} // namespace trommik2
