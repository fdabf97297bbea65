#pragma once

#include <cstdint>
#include <memory>

#include "Relaxed.h"
#include "SoundModule.h"
#include "effects/Effect.h"
#include "params/EffectDescription.h"

namespace trommik2 {

// The voice's effect slot: one of fourteen effects at a time, four generic
// parameters and an on/off switch. Parameters 51..56.
//
// The slot keeps at most one effect object per type: the current type's and
// those that automation can select. Objects and their buffers are built on the
// user-interface thread (build, without a lock) and swapped in under the
// process lock (install), so that while rendering, a type switch only selects
// an installed effect and a tempo change only moves a delay time: nothing is
// allocated. setValue may build what its write needs itself (user-interface
// thread, under the process lock, as loaders and menus write); automation on
// the audio thread writes through setValueWhilePlaying, which never builds.
class EffectsModule : public SoundModule {
  public:
    static constexpr int kTypeCount = kEffectTypeCount;

    // What a track's pattern can make of its slot through automation: the types
    // it can select (bit t for type t) and whether it can switch the slot on.
    struct Reach {
        uint32_t types = 0;
        bool canBeActive = false;
    };

    // Effect objects on their way in (from build to install) or out (from
    // install to their destruction after the lock is released).
    struct Effects {
        std::unique_ptr<Effect> byType[kTypeCount];
        // From build: installed types that nothing needs any more.
        uint32_t retire = 0;
        bool empty() const;
    };

    EffectsModule();
    ~EffectsModule() override;

    // The types that FXType values from low to high select.
    static uint32_t typesBetween(float low, float high);
    // reach, widened by what writing value to parameter index can select or switch on.
    static Reach reachWith(Reach reach, int index, float value);

    // User-interface thread, under the process lock while blocks may render
    // (a type switch or switching on builds what is missing and allocates).
    void setValue(int index, float value, int slot) override;
    // Audio thread (automation): the same for base values, without building. A
    // type nobody prepared passes the signal dry until it is, rather than keep
    // playing the old type under the new type's name.
    void setValueWhilePlaying(int index, float value);

    // User-interface thread, without a lock (allocates): the effects the slot
    // lacks for its current type and every type in reach, with their buffers
    // where the slot is on or reach can switch it on.
    Effects build(const Reach& reach) const;
    // Under the process lock, pointer swaps only: installs what build made and
    // takes out what neither the current type nor reach needs. The returned
    // effects are to be destroyed after the lock is released.
    Effects install(Effects built, const Reach& reach);
    // What the last install prepared for.
    const Reach& reach() const { return reach_; }
    // That and the current type: while writes prepared for it run under the
    // lock, they take nothing out (destroying an effect frees its buffers).
    Reach reachWhileWriting() const;

    void setSampleRate(float rate) override;
    void reset() override;
    // Audio thread: the host's tempo, clamped to 20..999 BPM; never allocates.
    void setTempo(float bpm);
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
    // One control block: inputs to outputs, copied unchanged while inactive or
    // while the current type has no prepared effect.
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n);
    // The same, but while no effect plays the outputs are left alone and it
    // returns false: the inputs are the result.
    bool run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n);
    // What run will return for this block (a pending clear is carried out first).
    bool plays();

  private:
    void setBaseValue(int index, float value, bool mayBuild);
    void selectType(int type);
    void switchOn(bool active, bool mayBuild);
    // The current type's effect when it can run, else null.
    Effect* playingEffect() const;

    Relaxed<int> type_ = 0;
    Relaxed<bool> active_ = false;
    // Set by a type switch and by switching on or off, carried out by the audio thread.
    Relaxed<bool> clearRequested_ = false;
    Relaxed<float> rate_ = 44100.0f;
    Relaxed<float> tempo_ = 120.0f;
    // Per type: the four parameters as the effect last used them, clipped to 0..1.
    Relaxed<float> records_[kTypeCount][4];
    Relaxed<double> mapped_[kEffectParameterCount];
    // Replaced only under the process lock by the user-interface thread.
    std::unique_ptr<Effect> installed_[kTypeCount];
    // What the last install prepared for; setValue's own builds keep to it.
    Reach reach_;
};

} // namespace trommik2
