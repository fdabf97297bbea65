#pragma once

#include <cstdint>
#include <memory>

#include "SoundModule.h"

namespace trommik2 {

// Plays the instrument's sample once per note, forward or reversed, transposed
// and bent by the envelope. Parameters 34..38. render runs on the audio thread;
// setSample and clearSample under the plug-in's process lock.
class SampleModule : public SoundModule {
  public:
    // Trailing zero frames after the data, read by the interpolation.
    static constexpr int kTail = 5;

    SampleModule();

    void reset() override;
    // Takes over frames + kTail floats (the tail zero) holding frames mono
    // values; data receives the previous sample, so that the caller frees it
    // after releasing the process lock.
    void swapSample(std::unique_ptr<float[]>& data, int frames);
    // The same without a new sample.
    void clearSample(std::unique_ptr<float[]>& previous) { swapSample(previous = nullptr, 0); }
    int frameCount() const { return frames_; }
    const float* data() const { return data_.get(); }
    // Whether a control block of n samples gives one value throughout (the
    // player is gated off, or its note has played to the end and is not hit
    // again in the block); if so, takes the block's step and gives the value.
    bool holds(const uint8_t* triggers, float sampleWeight, int n, float& value);
    // One control block of n samples (64 at most) into out.
    void render(const float* envelope, const uint8_t* triggers, float sampleWeight, float* out, int n);
    // The same for a block that holds said does not hold.
    void play(const float* envelope, const uint8_t* triggers, float* out, int n);

  private:
    // The level's gate and the direction, worked out once per values version.
    void deriveValues();

    std::unique_ptr<float[]> data_;
    int frames_ = 0;
    double position_ = 0.0;
    // The velocity of the note being played, captured at its start.
    float noteVelocity_ = 1.0f;
    bool levelOpen_ = false;
    bool reverse_ = false;
    uint64_t derivedAt_ = 0;
};

} // namespace trommik2
