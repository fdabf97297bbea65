#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/DelayLine.h"
#include "engine/OnePoleLowPass.h"

namespace trommik2 {

// One delay line fed with the sum of both inputs, a damping low-pass in the
// feedback loop, the echo on both outputs. The time is in milliseconds or in
// note values of the tempo. Knobs: Time, Feed, Damp, Mix.
class MonoDelay : public Effect {
  public:
    static const EffectDefinition kSyncedDefinition;
    static const EffectDefinition kMillisecondsDefinition;

    explicit MonoDelay(bool synced) : synced_(synced) {}

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;
    int tailSamples() const override { return static_cast<int>(line_.target()) + 1; }

  protected:
    void prepareBuffers(float sampleRate) override;
    void prepareTempo(float tempo) override;

  private:
    bool synced_;
    float sampleRate_ = 44100.0f;
    float feedback_ = 0.0f;
    bool fresh_ = true;
    DelayLine line_;
    OnePoleLowPass damping_;
};

} // namespace trommik2
