#pragma once

#include <cmath>

// How the engine takes the parameter values whose labels name a step or show a
// rounded amount: the value display uses the same functions, so that a label
// always says what plays. Any thread.
namespace trommik2 {

// The step that a stepped value (a type, a mode, a direction, a note value)
// sounds as and is named by: the nearest whole number, a fraction of exactly
// one half rounding up. The floor does not depend on the processor's rounding
// mode, which block processing sets to truncation while voices render: a
// conversion to an integer always truncates, and one step down from there
// gives the floor of a negative fraction (without a call to the library's
// floor, which the x86-64 baseline has no instruction for). Values beyond
// +-1e9 and NaN (read as 0) stay inside the int range.
inline int nearestStep(double v) {
    if (!(v > -1e9 && v < 1e9))
        return v > 0.0 ? 1000000000 : (v < 0.0 ? -1000000000 : 0);
    int whole = static_cast<int>(v);
    whole -= static_cast<double>(whole) > v ? 1 : 0;
    return whole + (v - static_cast<double>(whole) >= 0.5 ? 1 : 0);
}

// The step clamped to lo..hi.
inline int nearestStep(double v, int lo, int hi) {
    const int step = nearestStep(v);
    return step < lo ? lo : (step > hi ? hi : step);
}

// The phase distortion (0.001 .. 0.99) that an oscillator runs with for a
// GenFMRingDeform value of 0..100; fade (0..1) takes it out toward high pitches.
// It stops growing at 99, so the label names the sawtooth from there on.
inline float phaseDistortionAmount(float deform, float fade) {
    const float x = deform * fade * 0.01f;
    return 0.5f * (std::fabs(x - 0.001f) + 0.001f + 0.99f - std::fabs(x - 0.99f));
}

} // namespace trommik2
