#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "FmRingModule.h"
#include "NoiseModule.h"
#include "PhysicalModelModule.h"
#include "Relaxed.h"
#include "SampleModule.h"
#include "SoundModule.h"

namespace trommik2 {

// The sound sources of a voice: the synthesis modules of the current type
// (two noise parts, the physical model or the FM/ring module, or none), the
// sample player, and their mix. Parameters 0..39.
class SynthesisGenerator {
  public:
    // smoothingMs: the table's smoothing time of every parameter, by index, for
    // modules created later by a type switch.
    SynthesisGenerator(const float* smoothingMs, float sampleRate);

    // Index 0 switches the synthesis type; 2..39 reach the module that owns them
    // when it exists. A type switch allocates: the only allocation the audio
    // thread may make. Any thread: a switch by automation on the audio thread
    // never replaces a module that the user-interface thread is writing or
    // reading (it waits for the next block instead), and the user interface
    // waits for a switch in progress to finish.
    void setValue(int index, float value, int slot);
    // Index 0 reads the synthesis type.
    float value(int index, int slot) const;
    void setSmoothingTime(int index, float ms);
    void setSampleRate(float rate);
    void reset();
    int synthesisType() const { return type_; }
    void setSynthesisType(float value);

    // At a hit: the sources of the current type and the sample player take the
    // velocity; noise sources restart from their seeds.
    void startNote(float velocity);
    void smoothParameters();
    // One control block: every source renders, the mix goes to out (n samples).
    void render(const float* envelope, const uint8_t* triggers, float* out, int n);

    SampleModule& sample() { return sample_; }
    const SampleModule& sample() const { return sample_; }

  private:
    static constexpr int kNoPendingType = -1;

    template <typename Action>
    void forEachModule(Action action) {
        SoundModule* modules[] = {noise1_.get(), noise2_.get(), model_.get(), fmRing_.get(), &sample_, &null_, &mix_};
        for (SoundModule* module : modules)
            if (module)
                action(*module);
    }
    class ModuleAccess;
    SoundModule* owner(int index) const;
    // Replaces the synthesis modules by those of a type, unless someone is inside them.
    bool replaceModules(int type);
    void configure(SoundModule& module);
    void renderSources(const float* envelope, const uint8_t* triggers, int n);
    void mix(float* out, int n);

    const float* smoothingMs_;
    float sampleRate_;
    Relaxed<int> type_ = 3;
    // A switch that found the user interface inside a module, carried out at the next block.
    int pendingType_ = kNoPendingType;
    mutable std::atomic<int> accessors_{0};
    std::atomic<bool> switching_{false};
    float antiDenormal_;
    float synthesisWeight_ = 1.0f;
    float sampleWeight_ = 0.0f;
    float buffers_[3][64] = {};
    std::unique_ptr<NoiseModule> noise1_;
    std::unique_ptr<NoiseModule> noise2_;
    std::unique_ptr<PhysicalModelModule> model_;
    std::unique_ptr<FmRingModule> fmRing_;
    SampleModule sample_;
    SoundModule null_;
    SoundModule mix_;
};

} // namespace trommik2
