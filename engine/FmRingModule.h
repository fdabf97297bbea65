#pragma once

#include <cstdint>

#include "PhaseDistortionOscillator.h"
#include "SoundModule.h"

namespace trommik2 {

// Phase-distortion FM and ring synthesis: two wavetable sine oscillators with
// phase distortion that frequency-modulate each other (one block delayed) and
// are ring-modulated. Parameters 20..33. Audio thread, except construction.
class FmRingModule : public SoundModule {
  public:
    FmRingModule();

    void setSampleRate(float rate) override;
    void reset() override;
    // One control block of n samples into out.
    void render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n);

  private:
    static constexpr int kOscillators = 2;

    void shapeEnvelopes(const float* envelope, int n);
    void prepareModulation(int n);
    void updateOscillators();
    void runOscillators(const uint8_t* triggers, int n);
    void mixOutput(float* out, int n);

    PhaseDistortionOscillator oscillators_[kOscillators];
    // Oscillator outputs, shaped envelopes and modulation inputs, per oscillator.
    float outputs_[kOscillators][64] = {};
    float shaped_[kOscillators][64] = {};
    float modulation_[kOscillators][64] = {};
    // The ring products of the previous block, part of the next block's FM.
    float ring_[64] = {};
    float measures_[kOscillators] = {};
    float pitches_[kOscillators] = {};
    float lastExponents_[kOscillators] = {-100.0f, -100.0f}; // far from any note: computed at once
    float antiDenormal_;
};

} // namespace trommik2
