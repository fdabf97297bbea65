#include "PendingTriggers.h"

#include "sequencer/PlaybackTarget.h"

namespace trommik2 {

void PendingTriggers::request(int track, float velocity) {
    if (track < 0 || track >= kTrackCount || !(velocity > 0.0f))
        return;
    velocity_[track].store(velocity > 1.0f ? 1.0f : velocity, std::memory_order_release);
}

void PendingTriggers::apply(PlaybackTarget& target) {
    for (int t = 0; t < kTrackCount; ++t) {
        if (velocity_[t].load(std::memory_order_relaxed) == 0.0f)
            continue;
        const float velocity = velocity_[t].exchange(0.0f, std::memory_order_acquire);
        if (velocity > 0.0f)
            target.trigger(t, velocity);
    }
}

} // namespace trommik2
