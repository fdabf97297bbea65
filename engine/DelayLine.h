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
    int length() const { return state_.length; }
    void clear();

    // The per-sample state. A block's loop copies it into a local (cursor) and
    // hands it back (keep): the samples are floats too, so a member would be
    // reloaded from memory after every write.
    struct Cursor {
        float* data;
        int length;
        int writeIndex;
        // Whether writing has gone round since the last clear; until it has,
        // only the samples below the write index hold anything.
        bool wrapped;
        float target;
        float current;
        float coefficient;

        void write(float x) {
            data[writeIndex] = x;
            if (++writeIndex >= length) {
                writeIndex = 0;
                wrapped = true;
            }
        }
        // The sample written d samples ago (d < length).
        float readInteger(int d) const {
            int p = writeIndex - d;
            if (p < 0)
                p += length;
            return data[p];
        }
        // Linear interpolation at a fractional delay.
        float readLinear(float delay) const {
            float f;
            const int i = index(delay, &f);
            const float x0 = data[i];
            return x0 + f * (data[next(i)] - x0);
        }
        // First-order all-pass interpolation at a fractional delay; previous is
        // the line's last interpolated output.
        float readAllpass(float delay, float& previous) const {
            float f;
            const int i = index(delay, &f);
            previous = data[i] + (data[next(i)] - previous) * f / (2.0f - f);
            return previous;
        }
        // Steps the gliding delay toward its target; once per sample.
        void glide() { current += (target - current) * coefficient; }

        // The read position for a delay, wrapped into the buffer: its whole part
        // (rounded in the current mode) and the fraction above it.
        int index(float delay, float* fraction) const {
            float p = static_cast<float>(writeIndex) - delay;
            while (p < 0.0f)
                p += static_cast<float>(length);
            int i = dsp::roundInt(p);
            *fraction = p - static_cast<float>(i);
            if (i >= length) // the position lies below the length: no division per sample
                i %= length;
            return i;
        }
        int next(int i) const { return i + 1 < length ? i + 1 : 0; }
    };
    // Audio thread, around a block's loop.
    Cursor cursor() const { return state_; }
    void keep(const Cursor& cursor) { state_ = cursor; }

    // The gliding delay: setTarget moves the goal, the cursor's glide steps
    // toward it once per sample, jump makes it exact at once.
    void setTarget(float samples) { state_.target = samples; }
    void setGlide(float coefficient) { state_.coefficient = coefficient; }
    void jump() { state_.current = state_.target; }
    float target() const { return state_.target; }
    float current() const { return state_.current; }

  private:
    void allocate(int capacity, int length);

    // Only the first length samples are ever written or read, and all of them
    // are initialised.
    std::unique_ptr<float[]> buffer_ = std::make_unique<float[]>(1);
    int capacity_ = 1;
    Cursor state_{buffer_.get(), 1, 0, false, 1.0f, 1.0f, 1.0f};
};

} // namespace trommik2
