#pragma once

#include <cmath>

#include "Dsp.h"

namespace trommik2 {

// A sine wavetable oscillator whose phase is bent by the shape curve before the
// lookup (phase distortion). Its phase runs over 1023 of the 1024 table units,
// so it sounds a little above its nominal pitch. Audio thread, except construction.
class PhaseDistortionOscillator {
  public:
    static constexpr int kTableSize = 1024;

    PhaseDistortionOscillator();

    void setSampleRate(float rate) { incrementPerHz_ = static_cast<float>(kTableSize) / rate; }
    // Distortion 0..1: 0 leaves the sine undistorted.
    void setDistortion(float amount);
    void setFrequency(float hz) { baseIncrement_ = hz * incrementPerHz_; }
    void restart() { phase_ = 0.0f; }
    // Advances by the frequency plus modulation (radians per sample) and returns
    // the value at the new phase. Per sample, so defined here to be inlined.
    float next(float modulation) {
        phase_ += baseIncrement_ + static_cast<float>(kTableSize) * modulation / kTwoPi;
        if (phase_ > kPeriod)
            phase_ -= kPeriod;
        else if (phase_ < 0.0f)
            phase_ += kPeriod;
        float x = phase_ / kHalfSize - 1.0f;
        float position = (std::copysign(dsp::shapeCurve(std::fabs(x), shape_), x) + 1.0f) * kHalfSize;
        int index = dsp::roundInt(position);
        float t = position - static_cast<float>(index);
        // Masking wraps a position of 1024 to entry 0 (the same value as one past the
        // end) and keeps every read inside the table whatever the phase.
        float a = table_[index & kMask];
        float b = table_[(index + 1) & kMask];
        return a + t * (b - a);
    }

  private:
    static constexpr int kMask = kTableSize - 1;
    static constexpr float kHalfSize = kTableSize / 2;
    // One unit short of the table: the wrap skips the table's last entry.
    static constexpr float kPeriod = 1023.0f;
    static constexpr float kTwoPi = 6.28318530717958647692f;

    const float* table_;
    float phase_ = 0.0f;
    float baseIncrement_ = 0.0f;
    float incrementPerHz_ = static_cast<float>(kTableSize) / 44100.0f;
    float shape_ = 2.0f;
};

} // namespace trommik2
