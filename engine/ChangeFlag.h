#pragma once

#include <atomic>

namespace trommik2 {

// Raised by any thread, taken down by the audio thread, which learns with one
// plain read that nothing happened. Every write of a module's value raises one;
// it may pass each raise on to another flag, so that a voice learns at once that
// none of its modules was written.
class ChangeFlag {
  public:
    // Raised at first unless told otherwise: a new module has values nobody derived from yet.
    explicit ChangeFlag(bool raised = true) : raised_(raised) {}
    ChangeFlag(const ChangeFlag&) = delete;
    ChangeFlag& operator=(const ChangeFlag&) = delete;

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
    std::atomic<bool> raised_;
    ChangeFlag* forward_ = nullptr;
};

} // namespace trommik2
