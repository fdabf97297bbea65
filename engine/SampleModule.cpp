#include "SampleModule.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "Dsp.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

SampleModule::SampleModule() : SoundModule("Wav Module", GenWavTune, 5) {
    setDefault(GenWavTune, 0.0f);
    setDefault(GenWavDirection, 0.0f);
    setDefault(GenWavShapeAmpEnv, 1.0f);
    setDefault(GenWavShapePitchEnv, 0.0f);
    setDefault(GenWavLevel, 1.0f);
}

void SampleModule::reset() {
    SoundModule::reset();
    position_ = 0.0;
}

void SampleModule::swapSample(std::unique_ptr<float[]>& data, int frames) {
    data_.swap(data);
    frames_ = data_ && frames > 0 ? frames : 0;
    reset();
}

float SampleModule::interpolate(double position) const {
    int j = static_cast<int>(position);
    float t = static_cast<float>(position - j);
    const float* s = data_.get() + j;
    float s0 = s[0], s1 = s[1], s2 = s[2], s3 = s[3];
    return s1 + t * ((s2 - s0) * 0.5f +
                     t * (s0 - 2.5f * s1 + 2.0f * s2 - 0.5f * s3 + t * (1.5f * (s1 - s2) + (s3 - s0) * 0.5f)));
}

void SampleModule::render(const float* envelope, const uint8_t* triggers, float sampleWeight, float* out, int n) {
    float level = smoothed(GenWavLevel);
    if (!(level > 0.001f && sampleWeight > 0.001f)) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(n));
        return;
    }
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += envelope[i];
    // Always over a whole block, so a short last block bends the pitch a little less.
    float average = dsp::clip(sum / 64.0f, dsp::kAntiDenormal, 1.0f);
    float rate = std::exp2(smoothed(GenWavTune) / 12.0f);
    float kp = 1.0f / dsp::clip(1.0f - smoothed(GenWavShapePitchEnv), 0.001f, 0.99999f);
    float increment = dsp::shapeCurve(average, kp) * rate;
    bool reverse = nearestStep(target(GenWavDirection)) > 0;
    // A note stops five frames short of the data's end, whichever way it plays.
    int end = frames_ - kTail;
    double start = reverse ? end : 0.0;
    if (reverse)
        increment = -increment;
    float ka = 1.0f / dsp::clip(smoothed(GenWavShapeAmpEnv), 0.001f, 0.9999f);
    const bool ended = reverse ? !(position_ > 0.0) : !(position_ < end);
    if (ended && !resetPending_ && !std::memchr(triggers, 1, static_cast<size_t>(n))) {
        // Played to its end and not hit again: what the loop below would give.
        position_ = reverse ? 0.0 : end;
        std::fill_n(out, n, dsp::kAntiDenormal);
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (resetPending_ || triggers[i]) {
            resetPending_ = false;
            position_ = start;
            noteVelocity_ = velocity_;
        }
        bool playing = reverse ? position_ > 0.0 : position_ < end;
        if (!playing) {
            position_ = reverse ? 0.0 : end;
            out[i] = dsp::kAntiDenormal;
            continue;
        }
        float value = interpolate(position_);
        position_ += increment;
        out[i] = dsp::shapeCurve(envelope[i], ka) * noteVelocity_ * level * value;
    }
}

} // namespace trommik2
