#pragma once

#include "StereoDelay.h"
#include "TriangleLfo.h"

namespace trommik2 {

// Chorus and flanger: the stereo delay with each line's time swept by a triangle
// LFO, the left one at the Rate and the right one at Rate times Rate.
// Chorus: Time, Rate, Depth, Mix; bipolar LFOs in opposite directions, no feedback.
// Flanger: Rate, Feed, Depth, Mix; unipolar LFOs, ping-pong feedback.
class ModulatedDelay : public StereoDelay {
  public:
    enum class Kind { kChorus, kFlanger };
    static const EffectDefinition kChorusDefinition;
    static const EffectDefinition kFlangerDefinition;

    explicit ModulatedDelay(Kind kind);

    void configure(const double* values, float tempo) override;
    void clear() override;

  protected:
    void prepareBuffers(float sampleRate) override;

  private:
    struct Settings {
        float baseMs;
        float rate;
        float depth;
        float feed;
    };
    Settings settings(const double* values) const;

    Kind kind_;
    TriangleLfo lfos_[2];
};

} // namespace trommik2
