#pragma once

#include <memory>

#include "Relaxed.h"
#include "SoundModule.h"
#include "params/EffectDescription.h"

namespace trommik2 {

class Effect;

// The voice's effect slot: one of fourteen effects at a time, four generic
// parameters and an on/off switch. Parameters 51..56. Setters run on the
// user-interface thread or inside block processing; process on the audio thread.
class EffectsModule : public SoundModule {
  public:
    static constexpr int kTypeCount = kEffectTypeCount;

    EffectsModule();
    ~EffectsModule() override;

    void setValue(int index, float value, int slot) override;
    void setSampleRate(float rate) override;
    void reset() override;
    void setTempo(float bpm);
    // User-interface thread, under the process lock: sizes the effect's buffers
    // now, so that automation switching the effect on later allocates nothing.
    void prepareBuffers() {
        if (!prepared_)
            prepare();
    }
    bool isActive() const { return active_; }
    int effectType() const { return type_; }
    // Samples the output may stay quiet while an echo is still on its way; 0 when off.
    int tailSamples() const;
    // The stored value (0..1) of parameter p (0..3) for the current type.
    float storedValue(int p) const;
    // The value knob p (0..3) gave the effect in its last block, in the knob's unit.
    double mappedValue(int p) const;
    // The names and knobs of the current type.
    const EffectDescription& description() const;
    // One control block: inputs to outputs, copied unchanged while inactive.
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n);

  private:
    void switchType(int type);
    // Sizes the effect's buffers for the current rate and tempo.
    void prepare();

    Relaxed<int> type_ = 0;
    Relaxed<bool> active_ = false;
    // Set by switching the effect on or off, carried out by the audio thread.
    Relaxed<bool> clearRequested_ = false;
    // Whether the effect has been sized since it was created; until it is
    // switched on it needs no buffers. Written under the process lock or by
    // the audio thread, like the effect itself.
    bool prepared_ = false;
    float tempo_ = 120.0f;
    // Per type: the four parameters as the effect last used them, clipped to 0..1.
    Relaxed<float> records_[kTypeCount][4];
    Relaxed<double> mapped_[kEffectParameterCount];
    std::unique_ptr<Effect> effect_;
};

} // namespace trommik2
