#pragma once

#include <cstdint>

#include "Biquad.h"
#include "LoopLines.h"
#include "NoiseGenerator.h"
#include "OnePoleLowPass.h"
#include "SoundModule.h"

namespace trommik2 {

// Physical-modelling synthesis: a filtered noise burst excites six damped
// all-pass delay loops coupled through a common reflection. Parameters 12..19.
// The model shapes its own decay. Audio thread, except construction.
class PhysicalModelModule : public SoundModule {
  public:
    static constexpr int kLoops = 6;

    PhysicalModelModule();

    void setSampleRate(float rate) override;
    void reset() override;
    void reseed() { noise_.reseed(); }
    // One control block of n samples into out.
    void render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n);

    // For tests: the loop gain and the delay lengths of the last size.
    float loopGain() const { return loopGain_; }
    int delayLength(int k) const { return lengths_[k]; }

  private:
    // The length of line k (0..11) for a size scale.
    int lineLength(int k, float scale) const;
    void distribute(const float* envelope, int n);
    void updateExciterFilter();
    void updateLoopGain(float blend);
    void excite(const uint8_t* triggers, float blend, int n);
    void updateSize();
    void updateDamping();
    // The coupled loops driven by the block's excitation.
    void surface(float volume, float* out, int n);

    NoiseGenerator noise_;
    Biquad exciterFilter_;
    float envelope_[64] = {};
    float exciter_[64] = {};
    float measure_ = 0.0f;
    // Line 2k is loop k's damped line A, line 2k + 1 its all-pass line B.
    LoopLines lines_;
    OnePoleLowPass damping_[kLoops];
    int lengths_[2 * kLoops] = {};
    float loopGain_ = 0.0f;
    float junction_ = 0.0f;
    float lastSize_ = -1.0f;
    float lastExciterFrequency_ = -1.0f;
    float lastBandwidth_ = -1.0f;
    float lastDamping_ = -1.0f;
};

} // namespace trommik2
