#pragma once

#include <atomic>

namespace trommik2 {

class PlaybackTarget;

// Hits requested by hosts of our own (MIDI notes), carried to the audio thread
// without a lock: one slot per track; a second request for a track before the
// next block replaces the first, as two notes that close would sound as one.
class PendingTriggers {
  public:
    static constexpr int kTrackCount = 16;

    // Any thread: velocity in (0, 1]; others and tracks outside 0..15 are ignored.
    void request(int track, float velocity);
    // Audio thread, at the start of a block: starts the requested hits.
    void apply(PlaybackTarget& target);

  private:
    std::atomic<float> velocity_[kTrackCount] = {};
};

} // namespace trommik2
