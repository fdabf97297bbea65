#include "Distortion.h"

#include <cmath>

#include "CommonKnobs.h"

namespace trommik2 {

namespace {

constexpr double kLowShelfHz = 200.0;
constexpr double kHighShelfHz = 4000.0;
constexpr double kShelfSlope = 0.7;

// Odd rational curve: linear (slope 1/2) near zero, tending to 1 for large |z|.
float shape(float z) {
    float a = std::fabs(z);
    float p = (3.0f + a) * a + 6.0f;
    return p * z / (a * p + 12.0f);
}

} // namespace

// Every knob reads as its position: the shelves' gains and the drive follow from it.
constinit const EffectDefinition Distortion::kDefinition = {
    {"Distortion",
     "Distortion",
     {{"Drive", "Drive Level", nullptr, nullptr},
      {"Low", "Amount of Low-Shelf Filtering", nullptr, nullptr},
      {"High", nullptr, nullptr, nullptr},
      fx::kMixKnob}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<Distortion>(); }};

Distortion::Distortion() {
    for (Channel& channel : channels_) {
        channel.lowShelf.setType(Biquad::kLowShelf);
        channel.highShelf.setType(Biquad::kHighShelf);
    }
}

void Distortion::prepareBuffers(float sampleRate) {
    for (Channel& channel : channels_) {
        channel.lowShelf.setSampleRate(sampleRate);
        channel.highShelf.setSampleRate(sampleRate);
    }
    lowGain_ = highGain_ = 1000.0; // redesign at the new rate
}

// Drive, Low, High and Mix 0..1.
void Distortion::configure(const double* values, float) {
    auto drive = static_cast<float>(values[0]);
    float d = 2.0f * drive / (1.0f + drive);
    driveGain_ = std::pow(10.0f, 60.0f * d / 20.0f);
    outputGain_ = std::pow(10.0f, -48.0f * (d / (1.0f + d)) / 20.0f);
    double low = 48.0 * values[1] - 24.0;
    double high = 48.0 * values[2] - 24.0;
    if (low != lowGain_ || high != highGain_) {
        lowGain_ = low;
        highGain_ = high;
        for (Channel& channel : channels_) {
            channel.lowShelf.design(kLowShelfHz, kShelfSlope, low);
            channel.highShelf.design(kHighShelfHz, kShelfSlope, high);
        }
    }
    auto mix = static_cast<float>(values[3]);
    setMix(mix, 1.0f - mix);
}

void Distortion::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    const float* in[2] = {inLeft, inRight};
    float* out[2] = {outLeft, outRight};
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        for (int i = 0; i < n; ++i) {
            float y = static_cast<float>(channel.lowShelf.process(in[c][i]));
            float shaped = shape(2.0f * driveGain_ * y) * outputGain_;
            float w = static_cast<float>(channel.highShelf.process(shaped));
            out[c][i] = dry_ * in[c][i] + wet_ * w;
        }
    }
}

void Distortion::clear() {
    for (Channel& channel : channels_) {
        channel.lowShelf.clear();
        channel.highShelf.clear();
    }
}

} // namespace trommik2
