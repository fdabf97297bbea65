#pragma once

#include "engine/NoiseGenerator.h"

namespace trommik2 {

// The sequencer's randomisation source: the engine's noise words, smoothed by
// a one-pole low-pass so that consecutive draws stay related.
class LowPassedRandom {
  public:
    // The new smoothed value; advances the words. Audio thread.
    float draw() {
        state_ = state_ * 0.6f + generator_.next() * 0.4f;
        return state_;
    }
    float state() const { return state_; }

  private:
    NoiseGenerator generator_;
    float state_ = 0.0f;
};

} // namespace trommik2
