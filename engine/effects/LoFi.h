#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/Biquad.h"

namespace trommik2 {

// Sample-rate and bit-depth reduction: a sample-and-hold at a fraction of the
// rate, quantised to 1..16 bits, then a low-pass. Knobs: Rate, Crush,
// Lowpass, Mix.
class LoFi : public Effect {
  public:
    static const EffectDefinition kDefinition;

    LoFi();

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Channel {
        float phase = 0.0f;
        float held = 0.0f;
        Biquad lowPass;
    };

    float sampleRate_ = 44100.0f;
    float step_ = 1.0f;
    float levels_ = 65536.0f;
    double cutoff_ = -1.0;
    Channel channels_[2];
};

} // namespace trommik2
