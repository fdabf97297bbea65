#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "BankPlayback.h"
#include "BlockRenderer.h"
#include "ControlCommands.h"
#include "PendingTriggers.h"
#include "TrackExchange.h"
#include "content/ContentFolders.h"
#include "content/ContentLibrary.h"
#include "content/DocumentHost.h"
#include "content/SetupDocument.h"
#include "engine/InstrumentBank.h"
#include "engine/Relaxed.h"
#include "host/effect/SynthPlugin.h"
#include "params/ValueDisplay.h"
#include "sequencer/KnobSlots.h"
#include "sequencer/Sequencer.h"
#include "support/Configuration.h"

namespace trommik2 {

// The plug-in: one drum machine per host instance. It owns the sixteen track
// instruments, the pattern, the master section and meters, and routes every
// parameter access by number.
//
// Threads: setParameter/getParameter come from the user-interface thread,
// except 99998 and 99999 which the audio thread writes before each block;
// process/processReplacing run on the audio thread; setSampleRate comes from
// either. The process lock serialises block rendering with sample-rate changes,
// instrument loads and destruction. Documents, the saved state and the
// clipboards belong to the user-interface thread.
class DrumMachine : public SynthPlugin, public DocumentHost {
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

    // The state the host keeps in its project: the text of a setup document.
    bool saveState(std::string& stream) override;
    bool loadState(const char* text) override;

    InstrumentBank& bank() override { return bank_; }
    const InstrumentBank& bank() const { return bank_; }
    Sequencer& sequencer() override { return sequencer_; }
    const Sequencer& sequencer() const { return sequencer_; }
    std::recursive_mutex& processLock() override { return processLock_; }
    KnobSlots& knobSlots() override { return knobSlots_; }
    const KnobSlots& knobSlots() const { return knobSlots_; }
    // Audio thread or under the process lock: a hit on a track (as the sequencer makes).
    void trigger(int track, float velocity) { playback_.trigger(track, velocity); }
    bool isRendering() const { return renderer_.isRendering(); }
    uint64_t renderedVoiceSamples() const { return renderer_.renderedVoiceSamples(); }
    int hostPosition() const { return hostPosition_; }
    float hostTempo() const { return hostTempo_; }
    int sampleRateInt() const { return sampleRate_; }
    // Tells the editor's control to refresh (nothing without an editor).
    void notifyEditor(int control, float value);
    // The editor's menus and list choices.
    ListProvider& listProvider() { return commands_; }
    bool command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) {
        return commands_.command(identifier, kind, text, flag, value);
    }
    // Asks the host to start its transport unless blocks are being rendered
    // already, so that a sound just chosen is heard.
    void requestHostPlayback();
    // The current document names, relative to their content folders.
    std::string& kitName() override { return kitName_; }
    std::string& patternName() override { return patternName_; }
    std::string& setupName() override { return setupName_; }
    // The content tree beside the module; tests move its root elsewhere.
    const ContentFolders& contentFolders() const override { return contentFolders_; }
    ContentFolders& contentFolders() { return contentFolders_; }
    // 8, 16 or 32 steps per bar; 16 until an editor's grid says otherwise.
    int stepResolution() const override { return stepResolution_; }
    void setStepResolution(int resolution) override;
    void refreshEditor(int part) override { notifyEditor(part, 1.0f); }
    void setupLoaded() override { suspend(); }
    // Sizes the effect buffers of every track whose pattern may switch its
    // effect on, so that the audio thread never has to. Whatever else writes
    // automation calls it as well.
    void patternChanged() override;

    // Scans the content tree below root, reads the configuration file at
    // configurationPath and loads its start-up setup. Construction does this
    // with the module's folder and the configuration beside the module; tests
    // run it again against a tree of their own.
    void startUp(const std::string& root, const std::string& configurationPath);
    ContentLibrary& contentLibrary() { return library_; }
    const ContentLibrary& contentLibrary() const { return library_; }
    const Configuration& configuration() const { return configuration_; }
    // Whether the knob menus show the module schematics (a user setting).
    bool displaysSchematics() const;
    void setDisplaysSchematics(bool on);

    InstrumentDocument& instrumentDocument() { return instrumentDocument_; }
    DrumkitDocument& drumkitDocument() { return drumkitDocument_; }
    PatternDocument& patternDocument() { return patternDocument_; }
    SetupDocument& setupDocument() { return setupDocument_; }
    TrackExchange& trackExchange() { return trackExchange_; }

  private:
    void renderBlock(float** outputs, int32_t frames, bool adding);
    void setMuted(int track, bool muted);
    void setSoloed(int track, bool soloed);
    void audition(float velocity);
    void resetModulation(int index);
    // Writes a parameter whose change replaces modules or sizes an effect's
    // buffers, which the audio thread must not see half-done.
    void setStructuralParameter(int index, float value);
    EffectSlotState effectSlotState() const;

    KnobSlots knobSlots_;
    std::string kitName_;
    std::string patternName_;
    std::string setupName_;
    ContentFolders contentFolders_;
    int stepResolution_ = 16;
    std::atomic<int> hostPosition_{0};
    std::atomic<float> hostTempo_{120.0f};
    Relaxed<int> sampleRate_ = 44100;
    InstrumentBank bank_;
    Sequencer sequencer_;
    BankPlayback playback_;
    PendingTriggers pendingTriggers_;
    BlockRenderer renderer_;
    ValueDisplay display_;
    InstrumentDocument instrumentDocument_;
    DrumkitDocument drumkitDocument_;
    PatternDocument patternDocument_;
    SetupDocument setupDocument_;
    TrackExchange trackExchange_;
    Configuration configuration_{""};
    ContentLibrary library_{*this};
    ControlCommands commands_{*this};
    std::recursive_mutex processLock_;
};

} // namespace trommik2
