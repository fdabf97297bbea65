#include "CallbackClock.h"

void CallbackClock::begin(int64_t nowNanoseconds, int frames) {
    const int64_t expected = start_ + period_;
    const int64_t error = nowNanoseconds - expected;
    // A jump of more than a period (the first callback, a stall, a changed
    // buffer size) starts afresh; otherwise a sixteenth of the error is taken in.
    if (!started_ || frames != frames_ || error > period_ || error < -period_)
        start_ = nowNanoseconds;
    else
        start_ = expected + error / 16;
    started_ = true;
    frames_ = frames;
    period_ = int64_t{frames} * 1000000000 / sampleRate_;
}

int CallbackClock::frameOf(int64_t nanoseconds) const {
    const int64_t sinceStart = nanoseconds - (start_ - period_);
    const int64_t frame = sinceStart * sampleRate_ / 1000000000;
    if (frame < 0)
        return 0;
    return frame >= frames_ ? frames_ - 1 : static_cast<int>(frame);
}
