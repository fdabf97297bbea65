#include "Phaser.h"

#include "CommonKnobs.h"
#include "engine/Dsp.h"

namespace trommik2 {

namespace {

// The LFO's rate; its label once showed the flanger's faster range.
double phaserRate(float x, double) { return 9.9f * x * x + 0.1f; }

constexpr double kStageFrequencies[Phaser::kStageCount] = {400.0,    492.0,    605.16,  744.3468,
                                                           915.5466, 1126.122, 1385.13, 1703.711};
constexpr double kStageBandwidth = 0.2;
constexpr float kLfoSmoothingHz = 0.2f;
constexpr float kChannelSign[2] = {1.0f, -1.0f};

} // namespace

constinit const EffectDefinition Phaser::kDefinition = {
    {"Phaser",
     "Phaser",
     {{"Rate", "Rate (Speed)", phaserRate, fx::showHertz},
      {"Feed", "Feedback", nullptr, nullptr},
      {"Depth", "Depth (Strength of Phasing)", nullptr, nullptr},
      fx::kMixKnob}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<Phaser>(); }};

Phaser::Phaser() {
    for (Channel& channel : channels_)
        for (Biquad& stage : channel.stages)
            stage.setType(Biquad::kAllPass);
}

void Phaser::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    for (Channel& channel : channels_) {
        for (Biquad& stage : channel.stages)
            stage.setSampleRate(sampleRate);
        channel.lfo.setSmoothing(kLfoSmoothingHz, sampleRate / dsp::kBlockSize);
    }
}

// Rate in Hz, Feed, Depth and Mix 0..1.
void Phaser::configure(const double* values, float) {
    auto rate = static_cast<float>(values[0]);
    auto feed = static_cast<float>(values[1]);
    feedback_ = 3.8f * feed / (1.0f + 3.0f * feed);
    auto depth = static_cast<float>(values[2]);
    depth *= depth;
    double top = 0.499999 * sampleRate_;
    for (int c = 0; c < 2; ++c) {
        Channel& channel = channels_[c];
        // Both channels sweep at the Rate; the opposite signs make the stereo image.
        channel.lfo.setRate(rate, sampleRate_ / dsp::kBlockSize);
        double m = depth * channel.lfo.advance() * kChannelSign[c] + 1.0f;
        for (int k = 0; k < kStageCount; ++k)
            channel.stages[k].design(dsp::clip(m * kStageFrequencies[k], 0.1, top), kStageBandwidth);
    }
    setWetShare(static_cast<float>(values[3]));
}

void Phaser::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    const float feedback = feedback_;
    const float dry = dry_;
    const float wet = wet_;
    float previousLeft = channels_[0].previous;
    float previousRight = channels_[1].previous;
    Biquad* left = channels_[0].stages;
    Biquad* right = channels_[1].stages;
    // The channels' chains are independent: one loop runs both, in registers,
    // so that each one's sample-to-sample recursion overlaps the other's.
    for (int i = 0; i < n; ++i) {
        double l = inLeft[i] + feedback * previousLeft;
        double r = inRight[i] + feedback * previousRight;
#pragma GCC unroll 8
        for (int k = 0; k < kStageCount; ++k) {
            l = left[k].process(l);
            r = right[k].process(r);
        }
        previousLeft = static_cast<float>(l);
        previousRight = static_cast<float>(r);
        outLeft[i] = dry * inLeft[i] + wet * previousLeft;
        outRight[i] = dry * inRight[i] + wet * previousRight;
    }
    channels_[0].previous = previousLeft;
    channels_[1].previous = previousRight;
}

void Phaser::clear() {
    for (Channel& channel : channels_) {
        for (Biquad& stage : channel.stages)
            stage.clear();
        channel.lfo.restart();
        channel.previous = 0.0f;
    }
}

} // namespace trommik2
