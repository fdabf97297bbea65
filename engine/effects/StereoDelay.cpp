#include "StereoDelay.h"

#include <algorithm>

#include "EffectMapping.h"

namespace trommik2 {

void StereoDelay::prepare(float sampleRate, float tempo) {
    sampleRate_ = sampleRate;
    tempo_ = tempo;
    if (timing_ == Timing::kSynced)
        requireDelay(fx::longestSyncedDelaySeconds(tempo) * sampleRate);
    else if (timing_ == Timing::kMilliseconds)
        requireDelay(fx::kLongestDelayMs * 0.001f * sampleRate);
    float glide =
        fx::glideCoefficient(timing_ == Timing::kModulated ? fx::kModulationGlideMs : fx::kTimeGlideMs, sampleRate);
    for (DelayLine& line : lines_)
        line.setGlide(glide);
}

void StereoDelay::requireDelay(float samples) {
    for (DelayLine& line : lines_)
        line.require(dsp::roundInt(samples) + 2);
}

float StereoDelay::delaySamples(float x) const {
    float seconds = timing_ == Timing::kSynced ? fx::syncedDelaySeconds(x, tempo_) : fx::delayMilliseconds(x) * 0.001f;
    return seconds * sampleRate_;
}

void StereoDelay::configure(const float* x) {
    setDelays(delaySamples(x[0]), delaySamples(x[1]));
    setFeedbackSetting(x[2]);
    setMix(x[3] * 0.5f, 1.0f - x[3] * 0.5f);
}

void StereoDelay::setDelays(float left, float right) {
    float values[2] = {left, right};
    for (int c = 0; c < 2; ++c) {
        float longest = static_cast<float>(lines_[c].length() - 2);
        lines_[c].setTarget(std::clamp(values[c], 1.0f, longest));
        if (fresh_)
            lines_[c].jump();
    }
    fresh_ = false;
}

void StereoDelay::setFeedbackSetting(float feed) {
    dualFeedback_ = feed >= 0.5f ? (feed - 0.5f) * 2.0f : 0.0f;
    pingFeedback_ = feed < 0.5f ? (0.5f - feed) * 2.0f : 0.0f;
}

void StereoDelay::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    DelayLine& left = lines_[0];
    DelayLine& right = lines_[1];
    for (int i = 0; i < n; ++i) {
        left.glide();
        right.glide();
        float yl = left.readAllpass(left.current(), previous_[0]);
        float yr = right.readAllpass(right.current(), previous_[1]);
        if (pingFeedback_ > 0.0f) {
            left.write(pingFeedback_ * yr + inLeft[i] + inRight[i]);
            right.write(yl);
        } else {
            left.write(dualFeedback_ * yl + inLeft[i]);
            right.write(dualFeedback_ * yr + inRight[i]);
        }
        outLeft[i] = dry_ * inLeft[i] + wet_ * yl;
        outRight[i] = dry_ * inRight[i] + wet_ * yr;
    }
}

void StereoDelay::clear() {
    for (DelayLine& line : lines_)
        line.clear();
    previous_[0] = previous_[1] = 0.0f;
    fresh_ = true;
}

} // namespace trommik2
