#include "ProcessLock.h"

#include <chrono>

namespace trommik2 {

namespace {

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void ProcessLock::lock() {
    mutex_.lock();
    if (depth_++ == 0)
        heldSinceNs_ = nowNs();
}

void ProcessLock::unlock() {
    if (--depth_ == 0) {
        const int64_t held = nowNs() - heldSinceNs_;
        if (held > longestForeignHoldNs_.load(std::memory_order_relaxed))
            longestForeignHoldNs_.store(held, std::memory_order_relaxed);
    }
    mutex_.unlock();
}

void ProcessLock::lockForRendering() {
    mutex_.lock();
    ++depth_;
}

void ProcessLock::unlockAfterRendering() {
    --depth_;
    mutex_.unlock();
}

} // namespace trommik2
