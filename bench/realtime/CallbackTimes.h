#pragma once

#include <array>
#include <cstdint>

// Processor times of audio callbacks in microsecond bins, kept without
// allocation so that the audio thread can record them. Single writer; read
// once the writer stopped.
class CallbackTimes {
  public:
    static constexpr int kBins = 20000; // 20 ms; longer times land in the last bin

    // Audio thread (or whichever thread is timed).
    void record(int64_t nanoseconds);

    int64_t count() const { return count_; }
    double worstMicroseconds() const { return static_cast<double>(worst_) / 1000.0; }
    double averageMicroseconds() const;
    // The time within which the fraction p (0..1) of all callbacks finished,
    // to the microsecond.
    double percentileMicroseconds(double p) const;

  private:
    std::array<int64_t, kBins> bins_{};
    int64_t count_ = 0;
    int64_t worst_ = 0;
    int64_t total_ = 0;
};
