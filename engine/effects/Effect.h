#pragma once

#include "engine/Relaxed.h"

namespace trommik2 {

// One effect of the voice's effect slot, stereo in and out. The slot calls:
// - prepare (allocates: the user-interface thread, or under the process lock)
//   to size every buffer for a sample rate and for any tempo the slot takes,
//   so that neither a tempo change nor anything else grows them later;
// and on the audio thread:
// - configure once per control block with the values its four knobs give it,
//   mapped by its definition (EffectDefinition.h) from the knobs clipped to
//   0..1, and the tempo;
// - process for the block;
// - clear to silence every buffer and state (the next block starts fresh, as a
//   new effect would);
// - tailSamples for how long the effect may stay silent and still have an echo
//   to come (its longest delay), so the voice is not put to sleep in between.
class Effect {
  public:
    Effect() = default;
    virtual ~Effect() = default;
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    // The tempo is the one playing: buffers that grow with slower tempos take
    // their room for it into use here, so that playing on at that tempo never
    // touches fresh memory (a page fault) on the audio thread.
    void prepare(float sampleRate, float tempo) {
        prepareBuffers(sampleRate);
        prepareTempo(tempo);
        preparedRate_ = sampleRate;
    }
    // The rate the buffers were sized for; 0 before prepare. Any thread.
    float preparedRate() const { return preparedRate_; }

    virtual void configure(const double* values, float tempo) = 0;
    virtual void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) = 0;
    virtual void clear() = 0;
    virtual int tailSamples() const { return 0; }

  protected:
    virtual void prepareBuffers(float sampleRate) = 0;
    virtual void prepareTempo(float) {}

    // The output is dry * input + wet * effect signal, per channel.
    void setMix(float wet, float dry) {
        wet_ = wet;
        dry_ = dry;
    }
    // The delays' and modulation effects' Mix: at most half wet, half dry.
    void setWetShare(float mix) { setMix(mix * 0.5f, 1.0f - mix * 0.5f); }

    float wet_ = 0.0f;
    float dry_ = 1.0f;

  private:
    Relaxed<float> preparedRate_ = 0.0f;
};

} // namespace trommik2
