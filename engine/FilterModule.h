#pragma once

#include <algorithm>
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
    void render(const float* envelope, const uint8_t*, const float* in, float* out, int n) {
        if (prepare(envelope, in, out, n))
            run();
        else
            std::copy(in, in + n, out);
    }
    // The block in two steps, so that the filters of several voices can run side
    // by side: prepare says whether samples are left to filter (a quiet or
    // unfiltered block passes unchanged: in is the result, out is left alone);
    // run, or runTogether, filters them.
    bool prepare(const float* envelope, const float* in, float* out, int n);
    void run();
    // Switched off: every block passes unchanged, whatever it holds.
    bool isOff() { return selectedType() == 0; }
    // Up to kGroup filters, prepared for the same block length, side by side in
    // the processor's vector lanes (SaturatingBiquad::processTogether).
    static constexpr int kGroup = 4;
    static void runTogether(FilterModule* const* filters, int count);

  private:
    // 0 off, 1 low-pass, 2 band-pass, 3 high-pass, as the type's label says.
    // The type the target selects, worked out once per values version.
    int selectedType();
    void updateDesign(const float* envelope, int n);

    SaturatingBiquad filter_;
    int type_ = -1;
    int selectedType_ = 0;
    uint64_t typeAt_ = 0;
    float inputGain_ = 1.0f;
    float outputGain_ = 1.0f;
    float lastCutoff_ = -1.0f;
    float lastResonance_ = -1.0f;
    float lastDrive_ = 1000.0f;
    float gateAccumulator_ = 0.0f;
    const float* pendingIn_ = nullptr;
    float* pendingOut_ = nullptr;
    int pendingCount_ = 0;
};

} // namespace trommik2
