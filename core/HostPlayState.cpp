#include "HostPlayState.h"

#include <chrono>

namespace trommik2 {

int64_t HostPlayState::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void HostPlayState::blockRendered(int64_t position) {
    // The first block has nothing to have moved from: a host that renders
    // standing still must not light the play button for a moment.
    if (lastPosition_ != kNoPosition && position != lastPosition_)
        movedAtNs_.store(nowNs(), std::memory_order_relaxed);
    lastPosition_ = position;
}

bool HostPlayState::playing() const { return nowNs() - movedAtNs_.load(std::memory_order_relaxed) < kStillAfterNs; }

} // namespace trommik2
