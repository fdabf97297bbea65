#pragma once

#include <atomic>
#include <cstdint>

// How much of each buffer period the audio callback takes: the average, the
// worst case and the number of callbacks. Written by the audio thread, read by
// any thread.
class LoadMeter {
  public:
    // Audio thread: one callback took busy nanoseconds of a period of period nanoseconds.
    void add(int64_t busy, int64_t period);

    // Any thread: fractions of the period.
    double average() const;
    // Over roughly the last second at common buffer sizes (smoothed per callback).
    double recent() const { return recent_.load(std::memory_order_relaxed); }
    double peak() const { return peak_.load(std::memory_order_relaxed); }
    // Any thread: the longest callback in nanoseconds.
    int64_t longest() const { return longest_.load(std::memory_order_relaxed); }
    int64_t callbacks() const { return callbacks_.load(std::memory_order_relaxed); }

  private:
    std::atomic<double> busySum_{0.0};
    std::atomic<double> periodSum_{0.0};
    std::atomic<double> peak_{0.0};
    std::atomic<double> recent_{0.0};
    std::atomic<int64_t> longest_{0};
    std::atomic<int64_t> callbacks_{0};
};
