#pragma once

#include <cstdint>
#include <limits>

#include "FmRingModule.h"
#include "HeldMix.h"
#include "NoiseModule.h"
#include "PhysicalModelModule.h"
#include "Relaxed.h"
#include "SampleModule.h"
#include "SoundModule.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

// The sound sources of a voice: the synthesis modules (two noise parts, the
// physical model, the FM/ring module), the sample player, and their mix.
// Parameters 0..39.
//
// Every synthesis module lives as long as the voice and keeps its values, so a
// host or a document can set any parameter whatever the type, a type switch
// never allocates (automation switches types on the audio thread), and an
// instrument keeps the sounds of all its types. The synthesis type is a value
// like any other (base plus automation offset); it selects which modules play.
class SynthesisGenerator {
  public:
    SynthesisGenerator(const float* smoothingMs, float sampleRate);

    // Any thread; index 0 is the synthesis type (its value, not yet rounded).
    void setValue(int index, float value, int slot);
    float value(int index, int slot) const;
    void setSmoothingTime(int index, float ms);
    void setSampleRate(float rate);
    // Audio thread or under the process lock.
    void reset();

    // The type the values select: 0 noise, 1 FM/ring, 2 physical model, 3 none.
    // Any thread; the audio thread switches to it at the next control block.
    int synthesisType() const;

    // Audio thread. At a hit: the playing sources and the sample player take the
    // velocity; noise sources restart from their seeds.
    void startNote(float velocity);
    // Audio thread, once per control block: follows a type switch, then smooths.
    void smoothParameters();
    // Audio thread: the last pass moved none of the values that play.
    bool settled() const;
    // Before use: every write of a value raises flag too.
    void reportChangesTo(ChangeFlag* flag) {
        forEachModule([flag](SoundModule& module) { module.reportChangesTo(flag); });
    }
    // One control block: every source renders, the mix goes to out (n samples);
    // but a block whose mix is a held sample alone (no synthesis plays, the
    // sample has ended or is gated off) goes to held instead, and the result
    // says so (HeldMix::fill writes it out).
    bool renderOrHold(const float* envelope, const uint8_t* triggers, float* out, int n, HeldMix& held);
    // The type that rendered the last block; the audio thread's view.
    int playingType() const { return playing_; }

    SampleModule& sample() { return sample_; }
    const SampleModule& sample() const { return sample_; }

  private:
    template <typename Action>
    void forEachModule(Action action) {
        SoundModule* modules[] = {&noise1_, &noise2_, &model_, &fmRing_, &sample_, &type_, &mix_};
        for (SoundModule* module : modules)
            action(*module);
    }

    SoundModule* owner(int index);
    const SoundModule* owner(int index) const;
    float selectedValue() const;
    static int typeOf(float selected);
    void configure(SoundModule& module);
    // The sources of a type start as new ones: states cleared, noise reseeded,
    // at the velocity of the note that is playing.
    void startSources(int type);
    void smoothSources();
    // Switches to the type the values select, if that is another.
    void followType();
    // The sources of the synthesis type that plays (the sample is not one of them).
    void renderSynthesis(const float* envelope, const uint8_t* triggers, int n);
    void mix(float* out, int n);
    HeldMix mixHeld(float held, int n);

    const float* smoothingMs_;
    float sampleRate_;
    Relaxed<int> playing_ = kNoSynthesis;
    // The type's value when playing_ was last worked out (NaN: work it out again).
    float typeValue_ = std::numeric_limits<float>::quiet_NaN();
    // The values versions of type_ and mix_ that the type and the weights come from.
    uint64_t typeAt_ = 0;
    uint64_t mixAt_ = 0;
    float noteVelocity_ = 1.0f;
    float antiDenormal_;
    float synthesisWeight_ = 1.0f;
    float sampleWeight_ = 0.0f;
    float buffers_[3][64] = {};
    NoiseModule noise1_;
    NoiseModule noise2_;
    PhysicalModelModule model_;
    FmRingModule fmRing_;
    SampleModule sample_;
    // Holds the synthesis type's value slots.
    SoundModule type_;
    SoundModule mix_;
};

} // namespace trommik2
