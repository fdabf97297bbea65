#pragma once

#include "engine/Relaxed.h"

namespace trommik2 {

// A peak meter with a 1.5 s release (40 dB). The editor reads the level.
class OutputMeter {
  public:
    // Any sample-rate change restarts the meter at 0.
    void setSampleRate(float rate);
    // Audio thread: left follows the signed samples x of one block, right those of y.
    static void processPair(OutputMeter& left, OutputMeter& right, const float* x, const float* y, int n);
    float level() const { return level_; }
    void clear() { level_ = 0.0f; }

  private:
    float sampleRate_ = 44100.0f;
    Relaxed<float> level_ = 0.0f;
    float release_ = 0.0f;
};

} // namespace trommik2
