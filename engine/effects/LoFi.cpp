#include "LoFi.h"

#include <cmath>
#include <cstdio>

#include "CommonKnobs.h"
#include "engine/Dsp.h"

namespace trommik2 {

namespace {

constexpr double kLowPassBandwidth = 0.7;

// Rate: the fraction of the sample rate at which samples are taken, shown as that rate.
double keptFraction(float x, double) {
    float keep = 1.0f - x;
    return 0.99f * keep * keep * keep + 0.01f;
}
void showKeptRate(double fraction, double sampleRate, char* out, std::size_t capacity) {
    fx::showKilo(fraction * sampleRate, sampleRate, out, capacity);
}

// Crush: 16 bits down to 1, in double precision, where the rounding mode cannot
// move the count.
double bits(float x, double) {
    double crush = 1.0 - static_cast<double>(x);
    return std::floor(crush * crush * 15.0 + 1.0);
}
void showBits(double bits, double, char* out, std::size_t capacity) {
    if (bits < 2.0)
        std::snprintf(out, capacity, "1 Bit");
    else
        std::snprintf(out, capacity, "%.0f Bits", bits);
}

// Lowpass: 1 to 20 kHz, kept below half the sample rate.
double lowPassFrequency(float x, double sampleRate) {
    return dsp::clip(19000.0 * x * x + 1000.0, 0.1, 0.499999 * sampleRate);
}

} // namespace

constinit const EffectDefinition LoFi::kDefinition = {
    {"Lo-Fi",
     "Lo-Fi",
     {{"Rate", "Sample Rate (Downsampling)", keptFraction, showKeptRate},
      {"Crush", "Bit-Depth Reduction", bits, showBits},
      {"Lowpass", "Lowpass Filter Frequency", lowPassFrequency, fx::showKilo},
      fx::kMixKnob}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<LoFi>(); }};

LoFi::LoFi() {
    for (Channel& channel : channels_)
        channel.lowPass.setType(Biquad::kLowPass);
}

void LoFi::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    for (Channel& channel : channels_)
        channel.lowPass.setSampleRate(sampleRate);
    cutoff_ = -1.0; // redesign at the new rate
}

// Rate as the kept fraction of the sample rate, Crush in bits, Lowpass in Hz, Mix 0..1.
void LoFi::configure(const double* values, float) {
    step_ = static_cast<float>(values[0]);
    levels_ = std::ldexp(1.0f, static_cast<int>(values[1]));
    double cutoff = values[2];
    if (cutoff != cutoff_) {
        cutoff_ = cutoff;
        for (Channel& channel : channels_)
            channel.lowPass.design(cutoff, kLowPassBandwidth);
    }
    auto mix = static_cast<float>(values[3]);
    setMix(mix, 1.0f - mix);
}

void LoFi::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    const float* in[2] = {inLeft, inRight};
    float* out[2] = {outLeft, outRight};
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        for (int i = 0; i < n; ++i) {
            channel.phase += step_;
            if (channel.phase >= 1.0f) {
                channel.phase -= 1.0f;
                channel.held = std::floor(in[c][i] * levels_ + 0.5f) / levels_;
            }
            float filtered = static_cast<float>(channel.lowPass.process(channel.held));
            out[c][i] = dry_ * in[c][i] + wet_ * filtered;
        }
    }
}

void LoFi::clear() {
    for (Channel& channel : channels_) {
        channel.phase = 0.0f;
        channel.held = 0.0f;
        channel.lowPass.clear();
    }
}

} // namespace trommik2
