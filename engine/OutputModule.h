#pragma once

#include "SoundModule.h"

namespace trommik2 {

// The last step of a voice: level and linear pan. Parameters 57 and 58.
class OutputModule : public SoundModule {
  public:
    OutputModule();

    // Applies level and pan from inLeft/inRight to the track's outputs and writes
    // left + right before the gain to meter. Returns the linear level. Audio thread.
    float process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, float* meter, int n);
};

} // namespace trommik2
