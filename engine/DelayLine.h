#pragma once

#include <cstddef>
#include <vector>

namespace trommik2 {

// A circular float buffer with a write index and a delay that can glide toward
// a target. The buffer only grows: a request for d samples makes it d + 1000
// long when it is too short to hold d. Growing allocates, so owners request
// the largest delay they will need before audio runs whenever they can.
class DelayLine {
  public:
    static constexpr int kHeadroom = 1000;

    // Makes the buffer long enough for a delay of d samples (d at least 1).
    void require(int d);
    int length() const { return static_cast<int>(buffer_.size()); }
    void clear();

    void write(float x) {
        buffer_[static_cast<std::size_t>(writeIndex_)] = x;
        if (++writeIndex_ >= length())
            writeIndex_ = 0;
    }
    // The sample written d samples ago (d < length).
    float readInteger(int d) const {
        int p = writeIndex_ - d;
        if (p < 0)
            p += length();
        return buffer_[static_cast<std::size_t>(p)];
    }
    // Linear interpolation at a fractional delay.
    float readLinear(float delay) const;
    // First-order all-pass interpolation at a fractional delay; previous is the
    // line's last interpolated output.
    float readAllpass(float delay, float& previous) const;

    // The gliding delay: setTarget moves the goal, glide steps toward it once per
    // sample, jump makes it exact at once.
    void setTarget(float samples) { target_ = samples; }
    void setGlide(float coefficient) { glide_ = coefficient; }
    void glide() { current_ += (target_ - current_) * glide_; }
    void jump() { current_ = target_; }
    float target() const { return target_; }
    float current() const { return current_; }

  private:
    // The two samples around a fractional read position and the fraction between them.
    struct Tap {
        float here;
        float next;
        float fraction;
    };

    // The read position for a delay, wrapped into the buffer.
    float position(float delay) const;
    Tap tap(float delay) const;

    std::vector<float> buffer_ = std::vector<float>(1, 0.0f);
    int writeIndex_ = 0;
    float target_ = 1.0f;
    float current_ = 1.0f;
    float glide_ = 1.0f;
};

} // namespace trommik2
