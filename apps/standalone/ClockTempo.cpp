#include "ClockTempo.h"

#include <cmath>

bool ClockTempo::tick(int64_t nanoseconds, float* bpm) {
    constexpr int kSlots = kTicksPerBeat + 1;
    ticks_[next_] = nanoseconds;
    next_ = (next_ + 1) % kSlots;
    if (count_ < kSlots)
        ++count_;
    if (count_ < kSlots)
        return false;
    // ticks_[next_] is now the oldest: exactly one beat before this tick.
    const int64_t beat = nanoseconds - ticks_[next_];
    if (beat <= 0)
        return false;
    const auto tempo = static_cast<float>(60.0e9 / static_cast<double>(beat));
    if (std::fabs(tempo - reported_) <= 0.01f)
        return false;
    reported_ = tempo;
    *bpm = tempo;
    return true;
}
