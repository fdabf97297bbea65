#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/DelayLine.h"

namespace trommik2 {

// Two delay lines read with all-pass interpolation, routed as dual mono or as
// ping-pong by one feedback setting. As an effect of its own it takes its Left and
// Right times in milliseconds or note values (knobs Left, Right, Feed, Mix);
// the chorus and the flanger drive its times from their LFOs.
class StereoDelay : public Effect {
  public:
    enum class Timing { kMilliseconds, kSynced, kModulated };
    static const EffectDefinition kSyncedDefinition;
    static const EffectDefinition kMillisecondsDefinition;

    explicit StereoDelay(Timing timing) : timing_(timing) {}

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;
    // Ping-pong: a right echo follows the left one by the right time.
    int tailSamples() const override { return static_cast<int>(lines_[0].target() + lines_[1].target()) + 1; }

  protected:
    void prepareBuffers(float sampleRate) override;
    void prepareTempo(float tempo) override;
    // Makes both lines long enough for a delay of this many seconds.
    void requireDelay(float seconds);
    // Targets of both lines in samples, at least 1.
    void setDelays(float left, float right);
    // Feed: 0.5 .. 1 dual mono with feedback 0 .. 1, 0.5 .. 0 ping-pong with feedback 0 .. 1.
    void setFeedbackSetting(float feed);
    float sampleRate() const { return sampleRate_; }

  private:
    float delaySamples(double time, float tempo) const;

    Timing timing_;
    float sampleRate_ = 44100.0f;
    float dualFeedback_ = 0.0f;
    float pingFeedback_ = 0.0f;
    bool fresh_ = true;
    DelayLine lines_[2];
    float previous_[2] = {};
};

} // namespace trommik2
