#include "PluginController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "DrumMachine.h"
#include "core/effect/EffectEditor.h"

namespace trommik2 {

namespace {

bool inRange(int32_t index, int32_t first, int count) { return index >= first && index < first + count; }

int rounded(float value) { return static_cast<int>(std::lrint(value)); }

// The last component of a document name: "Kicks\\Deep" shows as "Deep".
void copyLastComponent(const std::string& name, char* text) {
    size_t cut = name.find_last_of("\\/");
    std::string last = cut == std::string::npos ? name : name.substr(cut + 1);
    std::snprintf(text, PluginController::kDisplayLength, "%s", last.c_str());
}

} // namespace

PluginController::PluginController(DrumMachine& machine)
    : machine_(machine), display_(machine.model().table()), commands_(machine) {}

void PluginController::setParameter(int32_t index, float value) {
    if (setInstrumentParameter(index, value) || setTrackParameter(index, value) ||
        setTransportParameter(index, value) || setContentParameter(index, value))
        return;
    machine_.notifyEditor(index, value);
}

bool PluginController::setInstrumentParameter(int32_t index, float value) {
    if (!inRange(index, 0, kParameterCount))
        return false;
    setInstrumentValue(machine_.model().bank().selectedTrack, index, value);
    return true;
}

void PluginController::setInstrumentValue(int track, int32_t index, float value) {
    if (!inRange(index, 0, kParameterCount))
        return;
    InstrumentBank& bank = machine_.model().bank();
    const float engineValue = bank.table().toValue(index, value);
    if (swapsUnderLock(index))
        machine_.switchEffect(track, index, engineValue);
    else
        bank.setValue(track, index, engineValue);
}

bool PluginController::setTrackParameter(int32_t index, float value) {
    InstrumentBank& bank = machine_.model().bank();
    if (index == kParamSelectTrack)
        bank.selectedTrack = InstrumentBank::clampTrack(rounded(value));
    else if (inRange(index, kParamMuteFirst, InstrumentBank::kTrackCount))
        setMuted(index - kParamMuteFirst, value > 0.0f);
    else if (inRange(index, kParamSoloFirst, InstrumentBank::kTrackCount))
        bank.track(index - kParamSoloFirst).soloed = value > 0.0f;
    else if (inRange(index, kParamTriggerTrackFirst, InstrumentBank::kTrackCount))
        machine_.renderer().requestTrigger(index - kParamTriggerTrackFirst, value);
    else if (index == kParamAudition)
        audition(value);
    else if (index == kParamResetModulation)
        resetModulation(rounded(value));
    else
        return false;
    return true;
}

bool PluginController::setTransportParameter(int32_t index, float value) {
    if (index == kParamHostTempo) {
        machine_.renderer().setHostTempo(value);
    } else if (index == kParamHostPosition) {
        machine_.renderer().setHostPosition(rounded(value));
    } else if (index == kParamMasterVolume) {
        machine_.model().bank().masterVolume = std::pow(10.0f, (48.0f * value - 42.0f) / 20.0f);
    } else if (index == kParamShuffle) {
        // The model keeps what it is given; a host may send more than 100 %.
        machine_.model().sequencer().setShuffle(std::clamp(rounded(value * 100.0f), 0, 100));
        machine_.notifyEditor(kRefreshShuffleAndBars, value);
    } else {
        return false;
    }
    return true;
}

bool PluginController::setContentParameter(int32_t index, float value) {
    if (index == kControlCloseEditor) {
        if (value == 0.0f && machine_.getEditor())
            machine_.getEditor()->close();
    } else if (index == kParamSaveWithDialog) {
        machine_.contentLibrary().saveWithDialog(rounded(value));
    } else if (index == kParamBrowsePrevious || index == kParamBrowseNext) {
        machine_.contentLibrary().browse(rounded(value), index == kParamBrowsePrevious);
    } else {
        return false;
    }
    return true;
}

float PluginController::getParameter(int32_t index) const {
    const InstrumentBank& bank = machine_.model().bank();
    // The instrument's own value: what the host wrote, whatever automation adds
    // to it while the pattern plays (the editor shows that beside the knob).
    if (inRange(index, 0, kParameterCount))
        return bank.table().toNormalized(index, bank.baseValue(bank.selectedTrack, index));
    switch (index) {
    case kParamMasterVolume: return (20.0f * std::log10(bank.masterVolume) - 6.0f + 48.0f) / 48.0f;
    case kParamSelectTrack: return static_cast<float>(bank.selectedTrack);
    case kParamShuffle: return static_cast<float>(machine_.model().sequencer().shuffle()) * 0.01f;
    case kParamMeterLeft: return machine_.renderer().meter(0).level();
    case kParamMeterRight: return machine_.renderer().meter(1).level();
    default: break;
    }
    if (inRange(index, kParamMuteFirst, InstrumentBank::kTrackCount))
        return bank.track(index - kParamMuteFirst).muted ? 1.0f : 0.0f;
    if (inRange(index, kParamSoloFirst, InstrumentBank::kTrackCount))
        return bank.track(index - kParamSoloFirst).soloed ? 1.0f : 0.0f;
    return 0.0f;
}

EffectSlotState PluginController::effectSlotState() const {
    const InstrumentBank& bank = machine_.model().bank();
    const EffectsModule& fx = bank.voice(bank.selectedTrack).effects();
    EffectSlotState state;
    state.effect = &fx.description();
    for (int p = 0; p < 4; ++p)
        state.stored[p] = fx.storedValue(p);
    state.sampleRate = machine_.renderer().sampleRate();
    return state;
}

void PluginController::getParameterDisplay(int32_t index, char* text) const {
    const DrumMachineModel& model = machine_.model();
    const InstrumentBank& bank = model.bank();
    const int selected = bank.selectedTrack;
    if (inRange(index, 0, kParameterCount))
        display_.text(index, bank.baseValue(selected, index), effectSlotState(), text, kDisplayLength);
    else if (inRange(index, kDisplayInstrumentNameFirst, InstrumentBank::kTrackCount))
        copyLastComponent(bank.track(index - kDisplayInstrumentNameFirst).name, text);
    else if (index == kDisplaySetupName)
        copyLastComponent(model.setupName(), text);
    else if (index == kDisplayKitName)
        copyLastComponent(model.kitName(), text);
    else if (index == kDisplayPatternName)
        copyLastComponent(model.patternName(), text);
    else if (index == kDisplaySampleName)
        copyLastComponent(bank.track(selected).samplePath, text);
    else
        text[0] = '\0';
}

void PluginController::getParameterName(int32_t index, char* text) const {
    const InstrumentBank& bank = machine_.model().bank();
    const char* name = "";
    if (inRange(index, 0, kParameterCount))
        name = display_.name(index, &bank.voice(bank.selectedTrack).effects().description());
    std::snprintf(text, kDisplayLength, "%s", name);
}

void PluginController::setMuted(int track, bool muted) {
    InstrumentBank::Track& t = machine_.model().bank().track(track);
    t.muted = muted;
    if (muted && !t.soloed)
        t.silenceRequested.raise();
}

void PluginController::audition(float velocity) {
    machine_.requestHostPlayback();
    machine_.renderer().requestTrigger(machine_.model().bank().selectedTrack, velocity);
}

// Automation never writes the instrument's values, so a reset lane returns
// every parameter (the synthesis type too) to the instrument's own value.
void PluginController::resetModulation(int index) {
    InstrumentBank& bank = machine_.model().bank();
    if (index >= 0 && index < kParameterCount && index != GenNullDummy)
        bank.voice(bank.selectedTrack).setModuleValue(index, 0.0f, ModuleParameter::kOffset);
}

} // namespace trommik2
