#pragma once

#include <string>

#include "BlockRenderer.h"
#include "PluginController.h"
#include "TrackExchange.h"
#include "content/ContentFolders.h"
#include "content/ContentLibrary.h"
#include "content/DocumentHost.h"
#include "content/DrumMachineModel.h"
#include "core/effect/SynthPlugin.h"
#include "support/Configuration.h"
#include "support/ProcessLock.h"

namespace trommik2 {

// The plug-in: one drum machine per host instance. It composes the model (what
// the drum machine is), the renderer (how it sounds), the controller (its
// parameters, commands and menus), the documents and the content library, and
// answers the effect base's operations through them.
//
// Threads: the effect base's operations come from the user-interface thread,
// except processReplacing and process (audio thread) and the parameters the
// controller names. The process lock is held by rendering and, only to swap in
// what was built outside it, by the other threads.
class DrumMachine : public SynthPlugin, public DocumentHost {
  public:
    static constexpr int kTrackCount = DrumMachineModel::kTrackCount;
    static constexpr size_t kDisplayLength = PluginController::kDisplayLength;

    explicit DrumMachine(HostCallbackFunction hostCallback);
    ~DrumMachine() override;

    void setParameter(int32_t index, float value) override { controller_.setParameter(index, value); }
    float getParameter(int32_t index) override { return controller_.getParameter(index); }
    void process(float**, float** outputs, int32_t frames) override { renderer_.render(outputs, frames, true); }
    void processReplacing(float**, float** outputs, int32_t frames) override {
        renderer_.render(outputs, frames, false);
    }
    void getParameterDisplay(int32_t index, char* text) override { controller_.getParameterDisplay(index, text); }
    void getParameterName(int32_t index, char* text) override { controller_.getParameterName(index, text); }
    void setSampleRate(float rate) override;
    void suspend() override;
    void resume() override { renderer_.resume(); }
    int32_t drawThumbnail(cairo_t* surface, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t start,
                          int32_t end, float tempo) override;

    // The state the host keeps in its project: the text of a setup document.
    bool saveState(std::string& stream) override { return setupDocument_.setupToText(stream); }
    bool loadState(const char* text) override { return setupDocument_.setupFromText(text); }

    // DocumentHost
    DrumMachineModel& model() override { return model_; }
    const DrumMachineModel& model() const { return model_; }
    ProcessLock& processLock() override { return processLock_; }
    const ContentFolders& contentFolders() const override { return contentFolders_; }
    void refreshEditor(int part) override { notifyEditor(part, 1.0f); }
    void setupLoaded() override { suspend(); }
    // Prepares the effects that each track's automation can select or switch
    // on, with their buffers, so that the audio thread never builds any.
    // Whatever else writes automation or the bar count calls it as well.
    void patternChanged() override;
    // User-interface thread: writes FXType or FXActive (engine value) of a
    // track; the process lock is held only to swap and switch.
    void switchEffect(int track, int index, float value);

    // Shortcuts into the model.
    InstrumentBank& bank() { return model_.bank(); }
    const InstrumentBank& bank() const { return model_.bank(); }
    Sequencer& sequencer() { return model_.sequencer(); }
    const Sequencer& sequencer() const { return model_.sequencer(); }

    BlockRenderer& renderer() { return renderer_; }
    const BlockRenderer& renderer() const { return renderer_; }
    uint64_t renderedVoiceSamples() const { return renderer_.renderedVoiceSamples(); }
    PluginController& controller() { return controller_; }
    ListProvider& listProvider() { return controller_.commands(); }
    bool command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) {
        return controller_.commands().command(identifier, kind, text, flag, value);
    }

    // Tells the editor's control to refresh (nothing without an editor).
    void notifyEditor(int control, float value);
    // Asks the host to start its transport unless it plays already, so that a
    // sound just chosen is heard.
    void requestHostPlayback();

    // Scans the content tree below root, reads the configuration file at
    // configurationPath and loads its start-up setup. Construction does this
    // with the module's folder and the configuration beside the module; tests
    // run it again against a tree of their own.
    void startUp(const std::string& root, const std::string& configurationPath);
    ContentFolders& contentFolders() { return contentFolders_; }
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
    const TrackExchange& trackExchange() const { return trackExchange_; }

  private:
    DrumMachineModel model_;
    ProcessLock processLock_;
    ContentFolders contentFolders_;
    Configuration configuration_{""};
    BlockRenderer renderer_;
    InstrumentDocument instrumentDocument_;
    DrumkitDocument drumkitDocument_;
    PatternDocument patternDocument_;
    SetupDocument setupDocument_;
    TrackExchange trackExchange_;
    ContentLibrary library_{*this};
    PluginController controller_{*this};
};

} // namespace trommik2
