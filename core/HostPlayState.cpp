#include "HostPlayState.h"

#include <chrono>

namespace trommik2 {

int64_t HostPlayState::nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void HostPlayState::blockRendered(int64_t position) {
    if (position == lastPosition_)
        return;
    lastPosition_ = position;
    movedAtNs_.store(nowNs(), std::memory_order_relaxed);
}

bool HostPlayState::playing() const { return nowNs() - movedAtNs_.load(std::memory_order_relaxed) < kStillAfterNs; }

} // namespace trommik2
