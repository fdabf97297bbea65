#pragma once

#include <cstdint>

#include "OnePoleLowPass.h"
#include "SoundModule.h"

namespace trommik2 {

// The amplitude envelope of a voice (attack, decay, floor hold, and a quick fade
// before a retrigger) and the note's velocity curve. Parameters 40..44.
// Audio thread, except construction.
class AmpEnvelopeModule : public SoundModule {
  public:
    enum Stage { kIdle = 0, kAttack = 1, kDecay = 2, kHold = 3, kFade = 4 };

    AmpEnvelopeModule();

    void setSampleRate(float rate) override;
    void reset() override;
    // The velocity curve of EnvVelocityShape applied to v in 0..1.
    float shapeVelocity(float v) const;
    // Starts a note, or fades a note that still sounds before starting the next.
    void trigger();
    // Louder than 0.01 or in its attack: still counts as sounding.
    bool isSounding() const { return lastOutput_ > 0.01f || stage_ == kAttack; }
    int stage() const { return stage_; }
    float level() const { return level_; }
    float lastOutput() const { return lastOutput_; }
    // One control block: the envelope into out, note starts into triggers.
    void render(float* out, uint8_t* triggers, int n) {
        beginBlock();
        runFrom(out, triggers, 0, n);
        endBlock(out, 0, n);
    }

    // The same block in parts, so that EnvelopeLanes can run the steady
    // stretches of several envelopes side by side: beginBlock, then steady
    // says whether the block starts with one (and how it steps: level :=
    // input - a1 * previous while !(sign * level >= or > bound); the output is
    // shaped by x / (x + curveLessOne * (1 - x))), keepSteady takes back what
    // the lane reached after that many steps, runFrom renders the rest and
    // endBlock shapes the samples from `from` on.
    struct Steady {
        float level, previous, input, a1, sign, bound, curveLessOne;
        bool stopsOnEqual;
    };
    void beginBlock();
    bool steady(Steady& lane) const;
    void keepSteady(const Steady& lane, uint8_t* triggers, int steps);
    void runFrom(float* out, uint8_t* triggers, int i, int n);
    void endBlock(float* out, int from, int n);
    // endBlock for a block the lanes ran to its end.
    void endSteadyBlock(const float* out, int n) { lastOutput_ = out[n - 1]; }

  private:
    float rateOfStage() const;
    void updateSmoother();
    float stepToward(float target);
    void enter(int stage);
    void advance();
    template <typename Continues>
    int approach(float goal, Continues continues, float* out, uint8_t* triggers, int i, int n);
    int steadyRun(float* out, uint8_t* triggers, int i, int n);

    int stage_ = kIdle;
    float level_ = 0.0f;
    float lastOutput_ = 0.0f;
    float rate_ = 0.0f;
    float attackRate_ = 0.0f;
    float decayRate_ = 0.0f;
    float holdRate_ = 1000.0f;
    float fadeRate_ = 100.0f;
    float floor_ = 0.0f;
    bool recompute_ = true;
    bool triggerFlag_ = false;
    bool ramp_ = false;
    float phaseStep_ = 0.0f;
    float curve_ = 2.0f;
    float b0_ = 0.0f, b1_ = 0.0f, a1_ = 0.0f;
    float previousTarget_ = 0.0f;
    float previousLevel_ = 0.0f;
    float rampPhase_ = 1.0f;
    // The values curve_, the rates, ramp_ and phaseStep_ were derived from.
    struct Derived {
        float curveShape, attack, decay, amSpeed, sampleRate;
        bool operator==(const Derived&) const = default;
    } derivedFrom_ = {};
    // The values version derivedFrom_ was last checked against.
    uint64_t derivedAt_ = 0;
    OnePoleLowPass rampSmoother_;
};

} // namespace trommik2
