#pragma once

#include <atomic>
#include <cstdint>

namespace trommik2 {

// Whether the host is playing, in the one sense every part of the instrument
// uses (the editor's play button, lamps, follow and space key, previews): the
// host renders blocks, and its position moved within the last 120 ms. A host
// that renders while its transport stands still is not playing.
class HostPlayState {
  public:
    static constexpr int64_t kStillAfterNs = 120'000'000;

    // Audio thread, once per rendered host block: no allocation, no lock.
    void blockRendered(int64_t position);
    // When rendering stops (suspend).
    void stop() { movedAtNs_.store(kNever, std::memory_order_relaxed); }
    // Any thread.
    bool playing() const;

  private:
    static constexpr int64_t kNever = INT64_MIN / 2;
    static int64_t nowNs();

    static constexpr int64_t kNoPosition = INT64_MIN;
    int64_t lastPosition_ = kNoPosition; // audio thread only
    std::atomic<int64_t> movedAtNs_{kNever};
};

} // namespace trommik2
