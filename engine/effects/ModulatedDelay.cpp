#include "ModulatedDelay.h"

#include <cstdio>

#include "CommonKnobs.h"
#include "engine/Dsp.h"

namespace trommik2 {

namespace {

// The chorus's Time: the centre of its sweep.
double chorusMilliseconds(float x, double) { return (7.0f * x * x + 3.0f) * 2.3f * 1.37f; }
void showChorusTime(double ms, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, ms >= 9.99 ? "%.1fms" : "%.2fms", ms);
}
double chorusRate(float x, double) { return 9.8f * x * x + 0.2f; }
double flangerRate(float x, double) { return 19.9f * x * x + 0.1f; }

// The LFOs are smoothed hard (at the control rate): the sweep stays gentle even
// at high rates and large depths.
constexpr float kLfoSmoothingHz = 0.2f;
// Longest base time (ms) and largest depth factor, for sizing the lines.
constexpr float kChorusLongestBaseMs = 10.0f * 2.3f * 1.37f;
constexpr float kChorusMaxDepth = 1.0f;
constexpr float kFlangerBaseMs = 0.85f * 1.17f;
constexpr float kFlangerMaxDepth = 9.0f;

} // namespace

constinit const EffectDefinition ModulatedDelay::kChorusDefinition = {
    {"Chorus",
     "Chorus",
     {{"Time", "Delay Time", chorusMilliseconds, showChorusTime},
      {"Rate", "Rate (Vibrato speed)", chorusRate, fx::showHertz},
      {"Depth", "Depth (Vibrato excursion)", nullptr, nullptr},
      fx::kMixKnob}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<ModulatedDelay>(Kind::kChorus); }};

constinit const EffectDefinition ModulatedDelay::kFlangerDefinition = {
    {"Flanger",
     "Flanger",
     {{"Rate", "Rate (Vibrato speed)", flangerRate, fx::showHertz},
      {"Feed", "Feedback", nullptr, nullptr},
      {"Depth", "Depth (Vibrato excursion)", nullptr, nullptr},
      fx::kMixKnob}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<ModulatedDelay>(Kind::kFlanger); }};

ModulatedDelay::ModulatedDelay(Kind kind)
    : StereoDelay(Timing::kModulated),
      kind_(kind), lfos_{TriangleLfo(kind == Kind::kChorus), TriangleLfo(kind == Kind::kChorus)} {}

void ModulatedDelay::prepareBuffers(float sampleRate) {
    StereoDelay::prepareBuffers(sampleRate);
    bool chorus = kind_ == Kind::kChorus;
    float longestMs =
        chorus ? kChorusLongestBaseMs * (1.0f + kChorusMaxDepth) : kFlangerBaseMs * (1.0f + kFlangerMaxDepth);
    requireDelay(longestMs * 0.001f);
    for (TriangleLfo& lfo : lfos_)
        lfo.setSmoothing(kLfoSmoothingHz, sampleRate / dsp::kBlockSize);
}

// Chorus: Time in ms, Rate in Hz, Depth and Mix 0..1; flanger: Rate in Hz, Feed,
// Depth and Mix 0..1.
ModulatedDelay::Settings ModulatedDelay::settings(const double* values) const {
    auto depth = static_cast<float>(values[2]);
    if (kind_ == Kind::kChorus)
        return {static_cast<float>(values[0]), static_cast<float>(values[1]), depth * depth, 0.5f};
    auto feed = static_cast<float>(values[1]);
    depth *= 3.0f;
    return {kFlangerBaseMs, static_cast<float>(values[0]), depth * depth, 0.5f - 2.45f * feed / (4.0f * feed + 1.0f)};
}

void ModulatedDelay::configure(const double* values, float) {
    Settings s = settings(values);
    float controlRate = sampleRate() / dsp::kBlockSize;
    lfos_[0].setRate(s.rate, controlRate);
    lfos_[1].setRate(s.rate * s.rate, controlRate);
    float left = lfos_[0].advance();
    float right = lfos_[1].advance() * (kind_ == Kind::kChorus ? -1.0f : 1.0f);
    float base = s.baseMs * 0.001f * sampleRate();
    setDelays((1.0f + s.depth * left) * base, (1.0f + s.depth * right) * base);
    setFeedbackSetting(s.feed);
    setWetShare(static_cast<float>(values[3]));
}

void ModulatedDelay::clear() {
    StereoDelay::clear();
    for (TriangleLfo& lfo : lfos_)
        lfo.restart();
}

} // namespace trommik2
