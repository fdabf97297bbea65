#include "MonoDelay.h"

#include <algorithm>

#include "EffectMapping.h"

namespace trommik2 {

void MonoDelay::prepare(float sampleRate, float tempo) {
    sampleRate_ = sampleRate;
    tempo_ = tempo;
    float longest = synced_ ? fx::longestSyncedDelaySeconds(tempo) : fx::kLongestDelayMs * 0.001f;
    line_.require(dsp::roundInt(longest * sampleRate) + 2);
    line_.setGlide(fx::glideCoefficient(fx::kTimeGlideMs, sampleRate));
}

void MonoDelay::configure(const float* x) {
    float seconds = synced_ ? fx::syncedDelaySeconds(x[0], tempo_) : fx::delayMilliseconds(x[0]) * 0.001f;
    line_.setTarget(std::clamp(seconds * sampleRate_, 1.0f, static_cast<float>(line_.length() - 2)));
    if (fresh_) {
        line_.jump();
        fresh_ = false;
    }
    feedback_ = x[1];
    damping_.setCutoff(fx::dampingFrequency(x[2]), sampleRate_);
    setMix(x[3] * 0.5f, 1.0f - x[3] * 0.5f);
}

void MonoDelay::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    for (int i = 0; i < n; ++i) {
        line_.glide();
        float y = damping_.process(line_.readLinear(line_.current()));
        line_.write(feedback_ * y + inLeft[i] + inRight[i]);
        outLeft[i] = dry_ * inLeft[i] + wet_ * y;
        outRight[i] = dry_ * inRight[i] + wet_ * y;
    }
}

void MonoDelay::clear() {
    line_.clear();
    damping_.clear();
    fresh_ = true;
}

} // namespace trommik2
