#include "ModulatedDelay.h"

#include "engine/Dsp.h"

namespace trommik2 {

namespace {

// The LFOs are smoothed hard (at the control rate): the sweep stays gentle even
// at high rates and large depths.
constexpr float kLfoSmoothingHz = 0.2f;
// Longest base time (ms) and largest depth factor, for sizing the lines.
constexpr float kChorusLongestBaseMs = 10.0f * 2.3f * 1.37f;
constexpr float kChorusMaxDepth = 1.0f;
constexpr float kFlangerBaseMs = 0.85f * 1.17f;
constexpr float kFlangerMaxDepth = 9.0f;

} // namespace

ModulatedDelay::ModulatedDelay(Kind kind)
    : StereoDelay(Timing::kModulated),
      kind_(kind), lfos_{TriangleLfo(kind == Kind::kChorus), TriangleLfo(kind == Kind::kChorus)} {}

void ModulatedDelay::prepare(float sampleRate, float tempo) {
    StereoDelay::prepare(sampleRate, tempo);
    bool chorus = kind_ == Kind::kChorus;
    float longestMs =
        chorus ? kChorusLongestBaseMs * (1.0f + kChorusMaxDepth) : kFlangerBaseMs * (1.0f + kFlangerMaxDepth);
    requireDelay(longestMs * 0.001f * sampleRate);
    for (TriangleLfo& lfo : lfos_)
        lfo.setSmoothing(kLfoSmoothingHz, sampleRate / dsp::kBlockSize);
}

ModulatedDelay::Settings ModulatedDelay::map(const float* x) const {
    if (kind_ == Kind::kChorus)
        return {(7.0f * x[0] * x[0] + 3.0f) * 2.3f * 1.37f, 9.8f * x[1] * x[1] + 0.2f, x[2] * x[2], 0.5f};
    float depth = 3.0f * x[2];
    return {kFlangerBaseMs, 19.9f * x[0] * x[0] + 0.1f, depth * depth, 0.5f - 2.45f * x[1] / (4.0f * x[1] + 1.0f)};
}

void ModulatedDelay::configure(const float* x) {
    Settings s = map(x);
    float controlRate = sampleRate() / dsp::kBlockSize;
    lfos_[0].setRate(s.rate, controlRate);
    lfos_[1].setRate(s.rate * s.rate, controlRate);
    float left = lfos_[0].advance();
    float right = lfos_[1].advance() * (kind_ == Kind::kChorus ? -1.0f : 1.0f);
    float base = s.baseMs * 0.001f * sampleRate();
    setDelays((1.0f + s.depth * left) * base, (1.0f + s.depth * right) * base);
    setFeedbackSetting(s.feed);
    setMix(x[3] * 0.5f, 1.0f - x[3] * 0.5f);
}

void ModulatedDelay::clear() {
    StereoDelay::clear();
    for (TriangleLfo& lfo : lfos_)
        lfo.restart();
}

} // namespace trommik2
