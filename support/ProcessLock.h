#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace trommik2 {

// The lock that block rendering holds while it renders, and that every other
// thread holds only to swap in what it built outside (a loaded instrument, an
// effect with its buffers). Recursive for its holder. It measures how long
// threads other than the renderer hold it, since each such hold is time the
// audio thread may have to wait.
class ProcessLock {
  public:
    // Any thread: lock/unlock make it usable with std::lock_guard.
    void lock();
    void unlock();
    // The audio thread's entry: the same lock, not counted as a hold by others.
    void lockForRendering();
    void unlockAfterRendering();

    // The longest hold by a thread other than the renderer since the last reset, in ns.
    int64_t longestForeignHoldNs() const { return longestForeignHoldNs_.load(std::memory_order_relaxed); }
    void resetMeasurement() { longestForeignHoldNs_.store(0, std::memory_order_relaxed); }

    std::recursive_mutex& mutex() { return mutex_; }

  private:
    std::recursive_mutex mutex_;
    // Only the holder touches these.
    int depth_ = 0;
    int64_t heldSinceNs_ = 0;
    std::atomic<int64_t> longestForeignHoldNs_{0};
};

} // namespace trommik2
