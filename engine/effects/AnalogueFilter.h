#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/SaturatingBiquad.h"

namespace trommik2 {

// The resonant saturating filter of the voice as an effect, 12 dB (one section)
// or 24 dB (two sections) per octave, low-, band- or high-pass, without a dry
// path. Knobs: Cutoff, Reso, Type, Drive.
class AnalogueFilter : public Effect {
  public:
    static const EffectDefinition k12dBDefinition;
    static const EffectDefinition k24dBDefinition;

    explicit AnalogueFilter(int mode);

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    SaturatingBiquad filters_[2];
    int design_ = -1;
    double cutoff_ = -1.0;
    double resonance_ = -1.0;
    double drive_ = -1.0;
    double inputGain_ = 1.0;
    double outputGain_ = 1.0;
};

} // namespace trommik2
