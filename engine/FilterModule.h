#pragma once

#include <cstdint>

#include "SaturatingBiquad.h"
#include "SoundModule.h"

namespace trommik2 {

// The voice's multimode filter: a resonant low-, band- or high-pass with drive
// whose cutoff the envelope opens; quiet blocks pass unfiltered. Parameters
// 45..50. Audio thread, except construction.
class FilterModule : public SoundModule {
  public:
    FilterModule();

    void setSampleRate(float rate) override;
    void reset() override;
    void setMode(int mode) { filter_.setMode(mode); }
    // One control block from in to out, opened by the voice's envelope.
    void render(const float* envelope, const uint8_t* triggers, const float* in, float* out, int n);

  private:
    void updateDesign(const float* envelope, int n);

    SaturatingBiquad filter_;
    int type_ = -1;
    float inputGain_ = 1.0f;
    float outputGain_ = 1.0f;
    float lastCutoff_ = -1.0f;
    float lastResonance_ = -1.0f;
    float lastDrive_ = 1000.0f;
    float gateAccumulator_ = 0.0f;
};

} // namespace trommik2
