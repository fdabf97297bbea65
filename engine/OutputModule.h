#pragma once

#include <limits>

#include "SoundModule.h"

namespace trommik2 {

// The last step of a voice: level and linear pan. Parameters 57 and 58.
class OutputModule : public SoundModule {
  public:
    OutputModule();

    // Applies level and pan from inLeft/inRight to the track's outputs and writes
    // left + right before the gain to meter (five distinct buffers). Returns the
    // linear level. Audio thread.
    float process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, float* meter, int n);

  private:
    // The linear gain of the last level, computed again only when the level moves.
    float lastLevel_ = std::numeric_limits<float>::quiet_NaN();
    float gain_ = 1.0f;
};

} // namespace trommik2
