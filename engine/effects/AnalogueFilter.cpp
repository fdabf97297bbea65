#include "AnalogueFilter.h"

#include <cmath>
#include <cstdio>

#include "engine/Biquad.h"

namespace trommik2 {

namespace {

// Cutoff: 10 Hz to 20 kHz, fine at the low end.
double cutoff(float x, double) {
    double x2 = static_cast<double>(x) * x;
    return 19990.0 * x2 * x2 + 10.0;
}
void showCutoff(double hz, double, char* out, std::size_t capacity) {
    if (hz >= 1000.0)
        std::snprintf(out, capacity, "%.1fkHz", hz / 1000.0);
    else
        std::snprintf(out, capacity, "%.0fHz", hz);
}

double resonance(float x, double) { return static_cast<double>(x) * x; }

// Type: thirds of the knob for low-, band- and high-pass (1, 2, 3); the filter's
// "off" is not reachable.
double filterType(float x, double) {
    if (x <= 0.33f)
        return 1.0;
    return x <= 0.66f ? 2.0 : 3.0;
}
void showFilterType(double type, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, "%s", type == 3.0 ? "Highpass" : (type == 2.0 ? "Bandpass" : "Lowpass"));
}

int designOfType(double type) {
    if (type == 3.0)
        return Biquad::kHighPassQ;
    return type == 2.0 ? Biquad::kBandPassQ : Biquad::kLowPassQ;
}

constexpr EffectDescription describe(const char* name) {
    return {name,
            name,
            {{"Cutoff", "Cutoff Frequency", cutoff, showCutoff},
             {"Reso", "Filter Resonance", resonance, nullptr},
             {"Type", "Filter Type (Off/Low/Band/High)", filterType, showFilterType},
             {"Drive", "Drive (Internal Saturation)", nullptr, nullptr}}};
}

} // namespace

constinit const EffectDefinition AnalogueFilter::k12dBDefinition = {
    describe("Analogue Filter 12dB"), []() -> std::unique_ptr<Effect> { return std::make_unique<AnalogueFilter>(12); }};

constinit const EffectDefinition AnalogueFilter::k24dBDefinition = {
    describe("Analogue Filter 24dB"), []() -> std::unique_ptr<Effect> { return std::make_unique<AnalogueFilter>(24); }};

AnalogueFilter::AnalogueFilter(int mode) {
    for (SaturatingBiquad& filter : filters_)
        filter.setMode(mode);
}

void AnalogueFilter::prepareBuffers(float sampleRate) {
    for (SaturatingBiquad& filter : filters_)
        filter.setSampleRate(sampleRate);
    design_ = -1; // redesign at the new rate
}

// Cutoff in Hz, Reso 0..1, Type 1..3, Drive 0..1.
void AnalogueFilter::configure(const double* values, float) {
    double cutoff = values[0];
    double resonance = values[1];
    int design = designOfType(values[2]);
    if (design != design_ || std::fabs(cutoff - cutoff_) > 0.1 || std::fabs(resonance - resonance_) > 0.001) {
        design_ = design;
        cutoff_ = cutoff;
        resonance_ = resonance;
        for (SaturatingBiquad& filter : filters_) {
            filter.setType(design);
            filter.design(cutoff, resonance);
        }
    }
    double drive = values[3];
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
