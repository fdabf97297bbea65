#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "TriangleLfo.h"
#include "engine/Biquad.h"

namespace trommik2 {

// Per channel eight all-pass sections in series whose frequencies a triangle LFO
// sweeps (the two channels in opposite directions), with feedback around the
// chain. Knobs: Rate, Feed, Depth, Mix.
class Phaser : public Effect {
  public:
    static constexpr int kStageCount = 8;
    static const EffectDefinition kDefinition;

    Phaser();

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Channel {
        Biquad stages[kStageCount];
        TriangleLfo lfo{true};
        float previous = 0.0f;
    };

    float sampleRate_ = 44100.0f;
    float feedback_ = 0.0f;
    Channel channels_[2];
};

} // namespace trommik2
