#pragma once

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
    // the value at the new phase.
    float next(float modulation);

  private:
    const float* table_;
    float phase_ = 0.0f;
    float baseIncrement_ = 0.0f;
    float incrementPerHz_ = static_cast<float>(kTableSize) / 44100.0f;
    float shape_ = 2.0f;
};

} // namespace trommik2
