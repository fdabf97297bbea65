#pragma once

#include <cstdint>

#include "engine/Relaxed.h"

namespace trommik2 {

// One thirty-second note of a track's four-bar grid: what playback looks at for
// every slot in every sub-block, kept small so that a track's slots share a few
// cache lines; the slot's automation values sit in the track's own table. The
// editor writes it while playback reads it, so every field is a relaxed atomic.
struct StepSlot {
    // Sample offset from the pattern start; follows the timing, never stored in documents.
    Relaxed<int> position = 0;
    // 0 = no step, 1..127 = the step's velocity.
    Relaxed<int32_t> velocity = 0;
    // Set while the playback window covers the slot, so it triggers once per pass.
    Relaxed<uint8_t> played = 0;
};

} // namespace trommik2
