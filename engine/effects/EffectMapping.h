#pragma once

#include <cmath>

#include "params/ValueMapping.h"

// Knob mappings shared by several effects: a position x (0..1) to the value the
// effect uses. The sample rate is there for the knob signature. Any thread.
namespace trommik2::fx {

constexpr int kSyncStepCount = 13;

// The synchronised step of a Time knob: x = 1 is step 0, "2 Bars"; x = 0 step
// 12, "1/32". Steps outside 0..12 read as the nearest end.
int syncStep(float x);
double syncStepBeats(int step);
const char* syncStepName(int step);

// The tempo-synchronised delays' time in beats.
inline double syncedBeats(float x, double) { return syncStepBeats(syncStep(x)); }

// The millisecond delays: 0.1 .. 2000 ms, fine at the short end.
constexpr float kLongestDelayMs = 2000.0f;
inline double delayMilliseconds(float x, double) { return 0.1f + 1999.9f * x / (24.0f - 23.0f * x); }

// The tempi the synchronised delays follow; a host's tempo is clamped to them.
constexpr float kSlowestTempo = 20.0f;
constexpr float kFastestTempo = 999.0f;

// A delay knob's mapped time (beats when synchronised, else milliseconds) in
// seconds, and the longest such time at a tempo.
inline float delaySeconds(double time, bool synced, float tempo) {
    auto t = static_cast<float>(time);
    return synced ? t * 60.0f / tempo : t * 0.001f;
}
inline float longestDelaySeconds(bool synced, float tempo) {
    return synced ? delaySeconds(syncStepBeats(0), true, tempo) : kLongestDelayMs * 0.001f;
}

// The samples a delay line needs for a delay of this many seconds, whatever
// the rounding mode.
inline int delayLineSamples(float seconds, float sampleRate) { return nearestStep(seconds * sampleRate) + 2; }

// Synchronised lines reserve room for the longest step at the slowest tempo
// when they are built: 24 s a line, 4.2 MB at 44.1 kHz and 9.2 MB at 96 kHz,
// only for synchronised delays that are on or that automation can select.
// They take it into use as far as the longest step needs at the tempo
// (DelayLine::extend), so the memory a line touches is what the slowest tempo
// so far has needed, and a tempo change on the audio thread only moves the
// time and keeps the echo. Sizing by the steps the knobs can reach instead
// would make every move of a time knob a rebuild under the process lock that
// loses the echo, and a path that forgot it would cut echoes short unheard.
inline int reservedDelaySamples(bool synced, float sampleRate) {
    return delayLineSamples(longestDelaySeconds(synced, kSlowestTempo), sampleRate);
}

// The damping low-pass of the delays and reverbs: 16000 Hz at x = 0 down to 1000 Hz.
inline double dampingFrequency(float x, double) { return (1.0f - x) * (1.0f - x) * 15000.0f + 1000.0f; }

// Delay-time glides (time constants of a one-pole, per sample): a Time knob change
// sounds like a tape speed change rather than a click; LFO-driven times only need
// their per-block steps smoothed away. A fresh or cleared line starts at its target.
constexpr float kTimeGlideMs = 50.0f;
constexpr float kModulationGlideMs = 2.0f;

// Per-sample coefficient of a one-pole glide with the given time constant.
inline float glideCoefficient(float ms, float sampleRate) { return 1.0f - std::exp(-1000.0f / (ms * sampleRate)); }

} // namespace trommik2::fx
