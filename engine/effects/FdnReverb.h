#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "TriangleLfo.h"
#include "engine/DelayLine.h"
#include "engine/OnePoleLowPass.h"

namespace trommik2 {

// A feedback delay network of four modulated lines mixed by a Householder
// reflection, each with a damping low-pass and an all-pass diffuser in its loop.
// The room and the hall differ in line lengths and LFO rates.
// Knobs: Decay, Damp, Mod, Mix.
class FdnReverb : public Effect {
  public:
    static constexpr int kLineCount = 4;
    enum class Size { kRoom, kHall };
    static const EffectDefinition kRoomDefinition;
    static const EffectDefinition kHallDefinition;

    explicit FdnReverb(Size size);

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Line {
        DelayLine delay;
        DelayLine diffuser;
        int diffuserLength = 1;
        float length = 1.0f;
        OnePoleLowPass damping;
    };

    float scale_;
    float lfoRate_;
    float lfoFactor_;
    float sampleRate_ = 44100.0f;
    float decay_ = 0.0f;
    bool fresh_ = true;
    Line lines_[kLineCount];
    TriangleLfo lfos_[2] = {TriangleLfo(true), TriangleLfo(true)};
};

} // namespace trommik2
