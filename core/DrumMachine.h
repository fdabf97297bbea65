#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "BankPlayback.h"
#include "BlockRenderer.h"
#include "engine/InstrumentBank.h"
#include "engine/Relaxed.h"
#include "host/effect/SynthPlugin.h"
#include "params/ValueDisplay.h"
#include "sequencer/KnobSlots.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

// The plug-in: one drum machine per host instance. It owns the sixteen track
// instruments, the pattern, the master section and meters, and routes every
// parameter access by number.
//
// Threads: setParameter/getParameter come from the user-interface thread,
// except 99998 and 99999 which the audio thread writes before each block;
// process/processReplacing run on the audio thread; setSampleRate comes from
// either. The process lock serialises block rendering with sample-rate changes,
// instrument loads and destruction.
class DrumMachine : public SynthPlugin {
  public:
    static constexpr int kTrackCount = InstrumentBank::kTrackCount;
    static constexpr size_t kDisplayLength = 64;

    explicit DrumMachine(HostCallbackFunction hostCallback);
    ~DrumMachine() override;

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void process(float** inputs, float** outputs, int32_t frames) override;
    void processReplacing(float** inputs, float** outputs, int32_t frames) override;
    // User-interface thread: text holds at least kDisplayLength characters.
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;
    void setSampleRate(float rate) override;
    void suspend() override;
    void resume() override;
    int32_t drawThumbnail(cairo_t* surface, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start,
                          int32_t end, float tempo) override;

    InstrumentBank& bank() { return bank_; }
    const InstrumentBank& bank() const { return bank_; }
    Sequencer& sequencer() { return sequencer_; }
    const Sequencer& sequencer() const { return sequencer_; }
    std::recursive_mutex& processLock() { return processLock_; }
    KnobSlots& knobSlots() { return knobSlots_; }
    const KnobSlots& knobSlots() const { return knobSlots_; }
    // Audio thread or under the process lock: a hit on a track (as the sequencer makes).
    void trigger(int track, float velocity) { playback_.trigger(track, velocity); }
    bool isRendering() const { return renderer_.isRendering(); }
    uint64_t renderedVoiceSamples() const { return renderer_.renderedVoiceSamples(); }
    int hostPosition() const { return hostPosition_; }
    float hostTempo() const { return hostTempo_; }
    int sampleRateInt() const { return sampleRate_; }
    // The current document names, relative to their content folders.
    std::string& kitName() { return kitName_; }
    std::string& patternName() { return patternName_; }
    std::string& setupName() { return setupName_; }

  private:
    void renderBlock(float** outputs, int32_t frames, bool adding);
    void setMuted(int track, bool muted);
    void setSoloed(int track, bool soloed);
    void audition(float velocity);
    void resetModulation(int index);
    void refreshEditor(int control, float value);
    // Writes a parameter whose change replaces modules, which the audio thread must not see half-done.
    void setStructuralParameter(int index, float value);
    EffectSlotState effectSlotState() const;

    KnobSlots knobSlots_;
    std::string kitName_;
    std::string patternName_;
    std::string setupName_;
    std::atomic<int> hostPosition_{0};
    std::atomic<float> hostTempo_{120.0f};
    Relaxed<int> sampleRate_ = 44100;
    InstrumentBank bank_;
    Sequencer sequencer_;
    BankPlayback playback_;
    BlockRenderer renderer_;
    ValueDisplay display_;
    std::recursive_mutex processLock_;
};

} // namespace trommik2
