#include "ControlCommands.h"

#include <mutex>
#include <string>

#include "DrumMachine.h"
#include "content/WavLoader.h"

namespace trommik2 {

namespace {

constexpr int32_t kAssignParameter = 1;
constexpr int32_t kToggleSchematics = -1;
constexpr size_t kPathCapacity = 259;

bool isDocumentMenu(int32_t identifier) {
    return identifier >= kControlInstrumentMenu && identifier <= kControlSetupMenu;
}

bool keepsSnapshot(int32_t identifier) {
    return identifier >= kControlInstrumentMenu && identifier <= kControlSampleMenu;
}

} // namespace

bool ControlCommands::command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) {
    bool loaded = false;
    if (isDocumentMenu(identifier)) {
        // The loaders take the process lock themselves once the files are read,
        // so rendering never waits for the disk.
        loaded =
            machine_.contentLibrary().loadEntry(kContentInstruments + (identifier - kControlInstrumentMenu), value);
    } else if (identifier == kControlEffectTypeMenu) {
        // Built outside the lock, as every effect switch is.
        machine_.switchEffect(machine_.model().bank().selectedTrack, FXType, static_cast<float>(value));
        machine_.notifyEditor(kRefreshEffect, 1.0f);
    } else if (identifier >= kControlFirstKnobSlot && identifier <= kControlLastAssignableKnob) {
        // Knob slots and the schematics setting are the editor's alone: no lock,
        // so that rendering never waits for the settings file.
        assignKnob(identifier, kind, value);
    } else {
        loaded = runLocked(identifier, text, value);
    }
    // Only what really loaded is worth hearing.
    if (loaded && flag == 0)
        machine_.requestHostPlayback();
    return flag != 0;
}

bool ControlCommands::runLocked(int32_t identifier, const char* text, int32_t value) {
    WavLoader::Decoded sample;
    std::string path;
    if (identifier == kControlSampleMenu && value != -1) {
        sample = WavLoader::read(text ? text : "");
        path = std::string(text ? text : "").substr(0, kPathCapacity);
    }
    bool loaded = false;
    {
        std::lock_guard<ProcessLock> lock(machine_.processLock());
        const int track = machine_.model().bank().selectedTrack;
        if (identifier == kControlSynthesisTypeMenu)
            machine_.model().bank().setValue(track, GenSynthesisType, static_cast<float>(value));
        else if (identifier == kControlSampleMenu)
            loaded = setSample(path, value, sample);
        else
            return false;
    }
    // The editor redraws after the lock: rendering never waits for it.
    if (identifier == kControlSynthesisTypeMenu) {
        machine_.notifyEditor(kRefreshSampleAndSynthesis, 1.0f);
        machine_.notifyEditor(kRefreshKnobs, 1.0f);
    } else if (value == -1) {
        machine_.notifyEditor(kRefreshSampleAndSynthesis, 1.0f);
    }
    return loaded;
}

void ControlCommands::assignKnob(int32_t identifier, int32_t kind, int32_t value) {
    if (kind == kAssignParameter)
        machine_.model().knobSlots().assign(machine_.model().bank().selectedTrack, identifier, value);
    else if (kind == 0 && value == kToggleSchematics)
        machine_.setDisplaysSchematics(!machine_.displaysSchematics());
    machine_.notifyEditor(kRefreshKnobs, 1.0f);
}

bool ControlCommands::setSample(std::string& path, int32_t value, WavLoader::Decoded& sample) {
    InstrumentBank::Track& track = machine_.model().bank().track(machine_.model().bank().selectedTrack);
    SampleModule& player = track.voice->generator().sample();
    if (value == -1) {
        WavLoader::unloadSample(player, sample);
        track.samplePath = "No Sample";
        return false;
    }
    if (!WavLoader::install(sample, player))
        return false;
    track.samplePath.swap(path);
    return true;
}

void ControlCommands::beginEdit(int32_t identifier) {
    if (!keepsSnapshot(identifier))
        return;
    snapshot_.clear();
    machine_.saveState(snapshot_);
}

void ControlCommands::endEdit(int32_t identifier) {
    if (!keepsSnapshot(identifier) || !machine_.loadState(snapshot_.c_str()))
        return;
    snapshot_.clear();
    machine_.notifyEditor(kRefreshEverything, 1.0f);
}

} // namespace trommik2
