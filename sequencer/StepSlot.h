#pragma once

#include <cstdint>

#include "params/ParameterIndex.h"

namespace trommik2 {

// One thirty-second note of a track's four-bar grid.
struct StepSlot {
    // Sample offset from the pattern start; follows the timing, never stored in documents.
    int position = 0;
    // 0 = no step, 1..127 = the step's velocity.
    int32_t velocity = 0;
    // Set while the playback window covers the slot, so it triggers once per pass.
    uint8_t played = 0;
    // One value per instrument parameter, in the parameter's own units.
    float automation[kParameterCount] = {};
};

} // namespace trommik2
