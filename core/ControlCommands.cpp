#include "ControlCommands.h"

#include <mutex>
#include <string>

#include "DrumMachine.h"
#include "content/WavLoader.h"

namespace trommik2 {

namespace {

enum Control : int32_t {
    kFirstKnob = 10002,
    kLastMenuKnob = 10007,
    kEffectTypeMenu = 10013,
    kSynthesisTypeMenu = 10014,
    kSampleMenu = 10027,
};

// Editor controls told to refresh.
constexpr int kKnobsDisplay = 5000;
constexpr int kEffectDisplay = 5001;
constexpr int kInstrumentDisplay = 5002;
constexpr int32_t kAssignParameter = 1;
constexpr size_t kPathCapacity = 259;

} // namespace

bool ControlCommands::command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) {
    // The disk is read before the lock is taken: rendering never waits for it.
    WavLoader::Decoded sample;
    if (identifier == kSampleMenu && value != -1)
        sample = WavLoader::read(text ? text : "");
    std::lock_guard<std::recursive_mutex> lock(machine_.processLock());
    const int track = machine_.bank().selectedTrack;
    if (identifier >= kFirstKnob && identifier <= kLastMenuKnob) {
        assignKnob(identifier, kind, value);
    } else if (identifier == kEffectTypeMenu) {
        machine_.bank().setValue(track, FXType, static_cast<float>(value));
        machine_.notifyEditor(kEffectDisplay, 1.0f);
    } else if (identifier == kSynthesisTypeMenu) {
        machine_.bank().setValue(track, GenSynthesisType, static_cast<float>(value));
        machine_.notifyEditor(kInstrumentDisplay, 1.0f);
        machine_.notifyEditor(kKnobsDisplay, 1.0f);
    } else if (identifier == kSampleMenu) {
        setSample(text, value, std::move(sample));
    }
    return flag != 0;
}

void ControlCommands::assignKnob(int32_t identifier, int32_t kind, int32_t value) {
    if (kind == kAssignParameter)
        machine_.knobSlots().assign(machine_.bank().selectedTrack, identifier, value);
    machine_.notifyEditor(kKnobsDisplay, 1.0f);
}

void ControlCommands::setSample(const char* text, int32_t value, WavLoader::Decoded sample) {
    InstrumentBank::Track& track = machine_.bank().track(machine_.bank().selectedTrack);
    SampleModule& player = track.voice->generator().sample();
    if (value == -1) {
        WavLoader::unloadSample(player);
        track.samplePath = "No Sample";
        machine_.notifyEditor(kInstrumentDisplay, 1.0f);
        return;
    }
    if (WavLoader::install(std::move(sample), player))
        track.samplePath = std::string(text ? text : "").substr(0, kPathCapacity);
}

} // namespace trommik2
