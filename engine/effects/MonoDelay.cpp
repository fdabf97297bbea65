#include "MonoDelay.h"

#include <algorithm>

#include "CommonKnobs.h"

namespace trommik2 {

namespace {

constexpr EffectDescription describe(const char* longName, const char* shortName, EffectKnob time) {
    return {longName,
            shortName,
            {time,
             {"Feed", "Delay Feedback", nullptr, nullptr},
             fx::dampingKnob("Damp", "Damping amount (in feedback loop)"),
             fx::kMixKnob}};
}

} // namespace

constinit const EffectDefinition MonoDelay::kSyncedDefinition = {
    describe("Mono Delay (Tempo Sync)", "Mono Delay (Sync)", fx::syncedTimeKnob("Time", "Delay Time")),
    []() -> std::unique_ptr<Effect> { return std::make_unique<MonoDelay>(true); }};

constinit const EffectDefinition MonoDelay::kMillisecondsDefinition = {
    describe("Mono Delay (msecs)", "Mono Delay (ms)", fx::millisecondTimeKnob("Time", "Delay Time")),
    []() -> std::unique_ptr<Effect> { return std::make_unique<MonoDelay>(false); }};

void MonoDelay::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    line_.reserve(fx::reservedDelaySamples(synced_, sampleRate));
    line_.setGlide(fx::glideCoefficient(fx::kTimeGlideMs, sampleRate));
}

void MonoDelay::prepareTempo(float tempo) {
    line_.extend(fx::delayLineSamples(fx::longestDelaySeconds(synced_, tempo), sampleRate_));
}

// Time in beats or milliseconds, Feed 0..1, Damp in Hz, Mix 0..1.
void MonoDelay::configure(const double* values, float tempo) {
    float seconds = fx::delaySeconds(values[0], synced_, tempo);
    prepareTempo(tempo); // a slower tempo takes more of the reserved line into use
    line_.setTarget(std::clamp(seconds * sampleRate_, 1.0f, static_cast<float>(line_.length() - 2)));
    if (fresh_) {
        line_.jump();
        fresh_ = false;
    }
    feedback_ = static_cast<float>(values[1]);
    damping_.setCutoff(static_cast<float>(values[2]), sampleRate_);
    setWetShare(static_cast<float>(values[3]));
}

void MonoDelay::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    // The line's state in locals for the block, out of reach of the sample stores.
    DelayLine::Cursor line = line_.cursor();
    OnePoleLowPass damping = damping_;
    const float feedback = feedback_;
    const float dry = dry_;
    const float wet = wet_;
    for (int i = 0; i < n; ++i) {
        line.glide();
        float y = damping.process(line.readLinear(line.current));
        line.write(feedback * y + inLeft[i] + inRight[i]);
        outLeft[i] = dry * inLeft[i] + wet * y;
        outRight[i] = dry * inRight[i] + wet * y;
    }
    line_.keep(line);
    damping_ = damping;
}

void MonoDelay::clear() {
    line_.clear();
    damping_.clear();
    fresh_ = true;
}

} // namespace trommik2
