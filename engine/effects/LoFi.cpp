#include "LoFi.h"

#include <cmath>

#include "engine/Dsp.h"

namespace trommik2 {

namespace {

constexpr double kLowPassBandwidth = 0.7;

} // namespace

LoFi::LoFi() {
    for (Channel& channel : channels_)
        channel.lowPass.setType(Biquad::kLowPass);
}

void LoFi::prepare(float sampleRate, float) {
    sampleRate_ = sampleRate;
    for (Channel& channel : channels_)
        channel.lowPass.setSampleRate(sampleRate);
    cutoff_ = -1.0; // redesign at the new rate
}

void LoFi::configure(const float* x) {
    float keep = 1.0f - x[0];
    step_ = 0.99f * keep * keep * keep + 0.01f;
    float crush = 1.0f - x[1];
    int bits = static_cast<int>(crush * crush * 15.0f + 1.0f);
    levels_ = std::ldexp(1.0f, bits);
    double cutoff = dsp::clip(19000.0 * x[2] * x[2] + 1000.0, 0.1, 0.499999 * sampleRate_);
    if (cutoff != cutoff_) {
        cutoff_ = cutoff;
        for (Channel& channel : channels_)
            channel.lowPass.design(cutoff, kLowPassBandwidth);
    }
    setMix(x[3], 1.0f - x[3]);
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
