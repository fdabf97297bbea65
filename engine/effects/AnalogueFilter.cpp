#include "AnalogueFilter.h"

#include <cmath>

#include "engine/Biquad.h"

namespace trommik2 {

namespace {

// Type knob thirds: low-, band-, high-pass (the filter's "off" is not reachable).
int designOfType(float x) {
    if (x <= 0.33f)
        return Biquad::kLowPassQ;
    return x <= 0.66f ? Biquad::kBandPassQ : Biquad::kHighPassQ;
}

} // namespace

AnalogueFilter::AnalogueFilter(int mode) {
    for (SaturatingBiquad& filter : filters_)
        filter.setMode(mode);
}

void AnalogueFilter::prepare(float sampleRate, float) {
    for (SaturatingBiquad& filter : filters_)
        filter.setSampleRate(sampleRate);
    design_ = -1; // redesign at the new rate
}

void AnalogueFilter::configure(const float* x) {
    double x2 = static_cast<double>(x[0]) * x[0];
    double cutoff = 19990.0 * x2 * x2 + 10.0;
    double resonance = static_cast<double>(x[1]) * x[1];
    int design = designOfType(x[2]);
    if (design != design_ || std::fabs(cutoff - cutoff_) > 0.1 || std::fabs(resonance - resonance_) > 0.001) {
        design_ = design;
        cutoff_ = cutoff;
        resonance_ = resonance;
        for (SaturatingBiquad& filter : filters_) {
            filter.setType(design);
            filter.design(cutoff, resonance);
        }
    }
    double drive = x[3];
    if (drive != drive_) {
        drive_ = drive;
        double wet = 0.999 * drive + 0.001;
        for (SaturatingBiquad& filter : filters_)
            filter.setSaturationMix(wet, 1.0 - wet);
        inputGain_ = std::pow(10.0, (24.0 * drive - 24.0) / 20.0);
        outputGain_ = std::pow(10.0, (24.0 - 9.0 * drive) / 20.0);
    }
}

void AnalogueFilter::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    for (int i = 0; i < n; ++i) {
        outLeft[i] = static_cast<float>(filters_[0].process(inLeft[i] * inputGain_) * outputGain_);
        outRight[i] = static_cast<float>(filters_[1].process(inRight[i] * inputGain_) * outputGain_);
    }
}

void AnalogueFilter::clear() {
    for (SaturatingBiquad& filter : filters_)
        filter.clear();
}

} // namespace trommik2
