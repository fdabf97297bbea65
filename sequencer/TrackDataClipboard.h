#pragma once

#include <cstdint>

#include "TrackPattern.h"

namespace trommik2 {

// The track-data clipboard: one track's velocities, automation values, scales
// and random amounts. Positions, played flags and masks are not held; a paste
// rebuilds the masks from the values. User-interface thread.
class TrackDataClipboard {
  public:
    void copy(const TrackPattern& track);
    // Overwrites the track with the held data; before the first copy it changes
    // nothing and answers false.
    bool paste(TrackPattern& track) const;
    // Set by the first copy, never cleared.
    bool hasData() const { return hasData_; }

  private:
    static constexpr int kSlotCount = TrackPattern::kSlotCount;

    int32_t velocity_[kSlotCount] = {};
    float automation_[kSlotCount][kParameterCount] = {};
    float scale_[kParameterCount] = {};
    float random_[kParameterCount] = {};
    float velocityRandom_ = 0.0f;
    bool hasData_ = false;
};

} // namespace trommik2
