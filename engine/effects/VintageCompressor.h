#pragma once

#include "Effect.h"
#include "EffectDefinition.h"
#include "engine/OnePoleLowPass.h"

namespace trommik2 {

// A feedback compressor: the gain found for one sample scales the next sample's
// input; three envelope followers of growing time constants detect the level.
// Knobs: Input, Attack, Release, Ratio.
class VintageCompressor : public Effect {
  public:
    static constexpr int kFollowerCount = 3;
    static const EffectDefinition kDefinition;

    // The output law for a ratio (1..50): c = 0.98 at 50:1, about 0 at 1.83:1 and
    // -0.84 at 1:1; outputs are scaled by c1 * reduction + c0 with c1 = 0.92 c.
    struct Law {
        float c;
        float c0;
        float c1;
    };
    static Law lawForRatio(float ratio);

    void configure(const double* values, float tempo) override;
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Follower {
        float attack = 0.0f;
        float release = 0.0f;
        float envelope = 0.0f;
    };
    float followerCoefficient(float ms) const;

    float sampleRate_ = 44100.0f;
    float c0_ = 1.0f;
    float c1_ = 0.0f;
    float drive_ = 1.0f;
    float gain_ = 1.0f;
    OnePoleLowPass levelSmoother_;
    Follower followers_[kFollowerCount];
};

} // namespace trommik2
