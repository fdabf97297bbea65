#pragma once

namespace trommik2 {

// One effect of the voice's effect slot, stereo in and out. The slot owns exactly
// one at a time and calls, on the audio thread unless noted:
// - prepare when the effect is created and whenever the sample rate or the tempo
//   changes; buffers are sized there (it may allocate, so it never runs per block
//   unless the tempo or rate really changed);
// - configure once per control block with the values its four knobs give it,
//   mapped by its definition (EffectDefinition.h) from the knobs clipped to 0..1;
// - process for the block;
// - clear to silence every buffer and state (the next block starts fresh);
// - tailSamples for how long the effect may stay silent and still have an echo
//   to come (its longest delay), so the voice is not put to sleep in between.
class Effect {
  public:
    Effect() = default;
    virtual ~Effect() = default;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    virtual void prepare(float sampleRate, float tempo) = 0;
    virtual void configure(const double* values) = 0;
    virtual void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) = 0;
    virtual void clear() = 0;
    virtual int tailSamples() const { return 0; }

  protected:
    // The output is dry * input + wet * effect signal, per channel.
    void setMix(float wet, float dry) {
        wet_ = wet;
        dry_ = dry;
    }
    // The delays' and modulation effects' Mix: at most half wet, half dry.
    void setWetShare(float mix) { setMix(mix * 0.5f, 1.0f - mix * 0.5f); }

    float wet_ = 0.0f;
    float dry_ = 1.0f;
};

} // namespace trommik2
