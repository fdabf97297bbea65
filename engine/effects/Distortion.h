#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/Biquad.h"

namespace trommik2 {

// A low shelf, a rational soft-clipping waveshaper with drive and level
// compensation, and a high shelf. Knobs: Drive, Low, High, Mix.
class Distortion : public Effect {
  public:
    static const EffectDefinition kDefinition;

    Distortion();

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Channel {
        Biquad lowShelf;
        Biquad highShelf;
    };

    float driveGain_ = 1.0f;
    float outputGain_ = 1.0f;
    double lowGain_ = 1000.0;
    double highGain_ = 1000.0;
    Channel channels_[2];
};

} // namespace trommik2
