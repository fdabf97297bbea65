#include "StereoDelay.h"

#include <algorithm>
#include <cstdio>

#include "CommonKnobs.h"
#include "engine/Dsp.h"

namespace trommik2 {

namespace {

// Feed: ping-pong below the middle, dual mono above it, no feedback at 0.5.
void showFeed(double x, double, char* out, std::size_t capacity) {
    if (x >= 0.5)
        std::snprintf(out, capacity, "%.0f%% dual", (x - 0.5) * 200.0);
    else
        std::snprintf(out, capacity, "%.0f%% ping", (1.0 - 2.0 * x) * 100.0);
}

constexpr EffectDescription describe(const char* longName, const char* shortName,
                                     EffectKnob (*time)(const char*, const char*)) {
    return {longName,
            shortName,
            {time("Left", "Delay Time (left)"),
             time("Right", "Delay Time (right)"),
             {"Feed", "Feedback (ping-pong | dual mono)", nullptr, showFeed},
             fx::kMixKnob}};
}

} // namespace

constinit const EffectDefinition StereoDelay::kSyncedDefinition = {
    describe("Stereo Delay (Tempo Sync)", "Stereo Delay (Sync)", fx::syncedTimeKnob),
    []() -> std::unique_ptr<Effect> { return std::make_unique<StereoDelay>(Timing::kSynced); }};

constinit const EffectDefinition StereoDelay::kMillisecondsDefinition = {
    describe("Stereo Delay (msecs)", "Stereo Delay (ms)", fx::millisecondTimeKnob),
    []() -> std::unique_ptr<Effect> { return std::make_unique<StereoDelay>(Timing::kMilliseconds); }};

void StereoDelay::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    if (timing_ != Timing::kModulated)
        for (DelayLine& line : lines_)
            line.reserve(fx::reservedDelaySamples(timing_ == Timing::kSynced, sampleRate));
    float glide =
        fx::glideCoefficient(timing_ == Timing::kModulated ? fx::kModulationGlideMs : fx::kTimeGlideMs, sampleRate);
    for (DelayLine& line : lines_)
        line.setGlide(glide);
}

void StereoDelay::requireDelay(float seconds) {
    for (DelayLine& line : lines_)
        line.require(fx::delayLineSamples(seconds, sampleRate_));
}

float StereoDelay::delaySamples(double time, float tempo) const {
    return fx::delaySeconds(time, timing_ == Timing::kSynced, tempo) * sampleRate_;
}

void StereoDelay::prepareTempo(float tempo) {
    for (DelayLine& line : lines_)
        line.extend(fx::delayLineSamples(fx::longestDelaySeconds(timing_ == Timing::kSynced, tempo), sampleRate_));
}

// Left and Right in beats or milliseconds, Feed 0..1, Mix 0..1.
void StereoDelay::configure(const double* values, float tempo) {
    prepareTempo(tempo); // a slower tempo takes more of the reserved line into use
    setDelays(delaySamples(values[0], tempo), delaySamples(values[1], tempo));
    setFeedbackSetting(static_cast<float>(values[2]));
    setWetShare(static_cast<float>(values[3]));
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
    // The lines' state in locals for the block, out of reach of the sample stores.
    DelayLine::Cursor left = lines_[0].cursor();
    DelayLine::Cursor right = lines_[1].cursor();
    float previousLeft = previous_[0];
    float previousRight = previous_[1];
    const float ping = pingFeedback_;
    const float dual = dualFeedback_;
    const float dry = dry_;
    const float wet = wet_;
    for (int i = 0; i < n; ++i) {
        left.glide();
        right.glide();
        float yl = left.readAllpass(left.current, previousLeft);
        float yr = right.readAllpass(right.current, previousRight);
        if (ping > 0.0f) {
            left.write(ping * yr + inLeft[i] + inRight[i]);
            right.write(yl);
        } else {
            left.write(dual * yl + inLeft[i]);
            right.write(dual * yr + inRight[i]);
        }
        outLeft[i] = dry * inLeft[i] + wet * yl;
        outRight[i] = dry * inRight[i] + wet * yr;
    }
    lines_[0].keep(left);
    lines_[1].keep(right);
    previous_[0] = previousLeft;
    previous_[1] = previousRight;
}

void StereoDelay::clear() {
    for (DelayLine& line : lines_)
        line.clear();
    previous_[0] = previous_[1] = 0.0f;
    fresh_ = true;
}

} // namespace trommik2
