#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

// A bounded queue between exactly one producer thread and one consumer thread,
// without locks or allocation after construction: the audio thread hands its
// output to the recorder through one, the MIDI thread its messages to the audio
// thread through another.
template <typename T>
class SpscQueue {
  public:
    // Any thread, before use: room for at least capacity items.
    explicit SpscQueue(size_t capacity) {
        size_t size = 1;
        while (size < capacity + 1)
            size *= 2;
        slots_.resize(size);
        mask_ = size - 1;
    }

    // Producer thread: all count items or none (false when they do not fit).
    bool push(const T* items, size_t count) {
        const size_t head = head_.load(std::memory_order_relaxed);
        const size_t tail = tail_.load(std::memory_order_acquire);
        if (mask_ - ((head - tail) & mask_) < count)
            return false;
        for (size_t i = 0; i < count; ++i)
            slots_[(head + i) & mask_] = items[i];
        head_.store((head + count) & mask_, std::memory_order_release);
        return true;
    }
    bool push(const T& item) { return push(&item, 1); }

    // Consumer thread: the oldest item, or null when the queue is empty.
    const T* front() const {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        return tail == head_.load(std::memory_order_acquire) ? nullptr : &slots_[tail];
    }
    // Consumer thread: removes the item front() returned.
    void dropFront() { tail_.store((tail_.load(std::memory_order_relaxed) + 1) & mask_, std::memory_order_release); }

    // Consumer thread: moves up to max items out; returns how many.
    size_t pop(T* items, size_t max) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        const size_t available = (head_.load(std::memory_order_acquire) - tail) & mask_;
        const size_t count = available < max ? available : max;
        for (size_t i = 0; i < count; ++i)
            items[i] = slots_[(tail + i) & mask_];
        tail_.store((tail + count) & mask_, std::memory_order_release);
        return count;
    }

  private:
    std::vector<T> slots_;
    size_t mask_ = 0;
    alignas(64) std::atomic<size_t> head_{0};
    alignas(64) std::atomic<size_t> tail_{0};
};
