#pragma once

#include <cstdint>

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
};

} // namespace trommik2
