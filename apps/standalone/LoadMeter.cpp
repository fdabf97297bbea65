#include "LoadMeter.h"

void LoadMeter::add(int64_t busy, int64_t period) {
    constexpr auto relaxed = std::memory_order_relaxed;
    // Only the audio thread writes, so plain read-modify-write is enough.
    busySum_.store(busySum_.load(relaxed) + static_cast<double>(busy), relaxed);
    periodSum_.store(periodSum_.load(relaxed) + static_cast<double>(period), relaxed);
    const double load = period > 0 ? static_cast<double>(busy) / static_cast<double>(period) : 0.0;
    recent_.store(recent_.load(relaxed) + (load - recent_.load(relaxed)) * 0.01, relaxed);
    if (load > peak_.load(relaxed))
        peak_.store(load, relaxed);
    if (busy > longest_.load(relaxed))
        longest_.store(busy, relaxed);
    callbacks_.store(callbacks_.load(relaxed) + 1, relaxed);
}

double LoadMeter::average() const {
    const double period = periodSum_.load(std::memory_order_relaxed);
    return period > 0.0 ? busySum_.load(std::memory_order_relaxed) / period : 0.0;
}
