#pragma once

#include <cstddef>
#include <memory>

#include "Dsp.h"

namespace trommik2 {

// A circular float buffer with a write index and a delay that can glide toward
// a target. The line only grows: a request for d samples makes it d + 1000
// long when it is too short to hold d. Allocating happens before audio runs:
// require allocates and takes the whole length into use; reserve allocates
// room that extend, which never allocates, takes into use as delays need it,
// so memory is touched only as far as the longest delay so far. Clearing costs
// only what has been written since the last clear. So long lines take little
// memory and clear cheaply on the audio thread.
class DelayLine {
  public:
    static constexpr int kHeadroom = 1000;

    DelayLine() = default;
    // The line caches its buffer's address and length for the per-sample reads.
    DelayLine(const DelayLine&) = delete;
    DelayLine& operator=(const DelayLine&) = delete;

    // Makes the line long enough for a delay of d samples (d at least 1) at once.
    // Allocating clears the line.
    void require(int d);
    // Makes room for delays of up to d samples without taking it into use.
    // Allocating clears the line.
    void reserve(int d);
    // Takes the reserved room into use as far as delays of up to d samples
    // need it, keeping the samples in the line in their order. Never allocates.
    void extend(int d);
    // The part of the buffer in use.
    int length() const { return length_; }
    void clear();

    void write(float x) {
        data_[writeIndex_] = x;
        if (++writeIndex_ >= length_) {
            writeIndex_ = 0;
            wrapped_ = true;
        }
    }
    // The sample written d samples ago (d < length).
    float readInteger(int d) const {
        int p = writeIndex_ - d;
        if (p < 0)
            p += length_;
        return data_[p];
    }
    // Linear interpolation at a fractional delay.
    float readLinear(float delay) const {
        float f;
        const int i = index(delay, &f);
        const float x0 = data_[i];
        return x0 + f * (data_[next(i)] - x0);
    }
    // First-order all-pass interpolation at a fractional delay; previous is the
    // line's last interpolated output.
    float readAllpass(float delay, float& previous) const {
        float f;
        const int i = index(delay, &f);
        previous = data_[i] + (data_[next(i)] - previous) * f / (2.0f - f);
        return previous;
    }

    // The gliding delay: setTarget moves the goal, glide steps toward it once per
    // sample, jump makes it exact at once.
    void setTarget(float samples) { target_ = samples; }
    void setGlide(float coefficient) { glide_ = coefficient; }
    void glide() { current_ += (target_ - current_) * glide_; }
    void jump() { current_ = target_; }
    float target() const { return target_; }
    float current() const { return current_; }

  private:
    // The read position for a delay, wrapped into the buffer: its whole part
    // (rounded in the current mode) and the fraction above it.
    int index(float delay, float* fraction) const {
        float p = static_cast<float>(writeIndex_) - delay;
        while (p < 0.0f)
            p += static_cast<float>(length_);
        int i = dsp::roundInt(p);
        *fraction = p - static_cast<float>(i);
        if (i >= length_) // the position lies below the length: no division per sample
            i %= length_;
        return i;
    }
    int next(int i) const { return i + 1 < length_ ? i + 1 : 0; }

    void allocate(int capacity, int length);

    // Only the first length_ samples are ever written or read, and all of them
    // are initialised.
    std::unique_ptr<float[]> buffer_ = std::make_unique<float[]>(1);
    float* data_ = buffer_.get();
    int capacity_ = 1;
    int length_ = 1;
    int writeIndex_ = 0;
    // Whether writing has gone round since the last clear; until it has, only
    // the samples below the write index hold anything.
    bool wrapped_ = false;
    float target_ = 1.0f;
    float current_ = 1.0f;
    float glide_ = 1.0f;
};

} // namespace trommik2
