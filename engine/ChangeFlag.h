#pragma once

#include <atomic>

namespace trommik2 {

// Raised by every write of a value, from any thread; taken down by the audio
// thread's smoothing pass. It may pass each raise on to another flag, so that
// a voice learns with one read that none of its modules was written.
class ChangeFlag {
  public:
    // Any thread, before the flag is used.
    void forwardTo(ChangeFlag* other) { forward_ = other; }
    // Any thread.
    void raise() {
        raised_.store(true, std::memory_order_release);
        if (forward_)
            forward_->raise();
    }
    // Audio thread: whether the flag was raised, taking it down. A plain read
    // first: the exchange is a locked instruction, and most passes find nothing.
    // The exchange, not a store, so that a raise meanwhile is seen now or next time.
    bool take() {
        return raised_.load(std::memory_order_acquire) && raised_.exchange(false, std::memory_order_acq_rel);
    }

  private:
    std::atomic<bool> raised_{true};
    ChangeFlag* forward_ = nullptr;
};

} // namespace trommik2
