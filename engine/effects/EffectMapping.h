#pragma once

#include <cmath>

#include "engine/Dsp.h"
#include "params/EffectNames.h"

// Parameter mappings shared by several effects (x is a parameter clipped to 0..1).
namespace trommik2::fx {

constexpr float kLongestDelayMs = 2000.0f;

// The millisecond delays: 0.1 .. 2000 ms, fine at the short end.
inline float delayMilliseconds(float x) { return 0.1f + 1999.9f * x / (24.0f - 23.0f * x); }

// The tempo-synchronised delays: x = 1 is the longest step ("2 Bars"), x = 0 the shortest.
inline float syncedDelaySeconds(float x, float tempo) {
    return static_cast<float>(syncStepBeats(syncStep(x))) * 60.0f / tempo;
}
inline float longestSyncedDelaySeconds(float tempo) { return static_cast<float>(syncStepBeats(0)) * 60.0f / tempo; }

// The damping low-pass of the delays and reverbs: 16000 Hz at x = 0 down to 1000 Hz.
inline float dampingFrequency(float x) { return (1.0f - x) * (1.0f - x) * 15000.0f + 1000.0f; }

// Delay-time glides (time constants of a one-pole, per sample): a Time knob change
// sounds like a tape speed change rather than a click; LFO-driven times only need
// their per-block steps smoothed away. A fresh or cleared line starts at its target.
constexpr float kTimeGlideMs = 50.0f;
constexpr float kModulationGlideMs = 2.0f;

// Per-sample coefficient of a one-pole glide with the given time constant.
inline float glideCoefficient(float ms, float sampleRate) { return 1.0f - std::exp(-1000.0f / (ms * sampleRate)); }

} // namespace trommik2::fx
