#pragma once

#include <cstdint>

// Places events stamped with the monotonic clock in the frames of an audio
// callback. An event is played one period after it arrived, at the frame that
// keeps its distance to the events before it: a constant latency instead of a
// jitter of a whole period. The callback's start is smoothed (a first-order
// locked loop on the period), since the thread wakes up a little late by a
// varying amount.
class CallbackClock {
  public:
    explicit CallbackClock(int sampleRate) : sampleRate_(sampleRate) {}

    // Audio thread, at the start of a callback of frames frames.
    void begin(int64_t nowNanoseconds, int frames);
    // Events stamped before this belong to the current callback.
    int64_t start() const { return start_; }
    // The frame (0..frames-1) of the current callback an event stamped then plays at.
    int frameOf(int64_t nanoseconds) const;

  private:
    int sampleRate_;
    int64_t start_ = 0;
    int64_t period_ = 0;
    int frames_ = 0;
    bool started_ = false;
};
