#include "DrumMachine.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "ThumbnailGeometry.h"
#include "engine/Dsp.h"
#include "host/effect/EffectEditor.h"
#include "platform/ModulePath.h"

namespace trommik2 {

namespace {

const char* const kEditorSection = "Editor";
const char* const kSchematicsKey = "DisplayParamScheme";

bool inRange(int32_t index, int32_t first, int count) { return index >= first && index < first + count; }

// The module's path with the extension ".ini": Trommik2.syn keeps its settings in Trommik2.ini.
std::string configurationBeside(const std::string& moduleFile) {
    return std::filesystem::path(moduleFile).replace_extension(".ini").string();
}

} // namespace

DrumMachine::DrumMachine(HostCallbackFunction hostCallback)
    : SynthPlugin(hostCallback), bank_(44100.0f), sequencer_(bank_.table()), playback_(bank_),
      renderer_(bank_, sequencer_, playback_), display_(bank_.table()), instrumentDocument_(*this),
      drumkitDocument_(*this), patternDocument_(*this), setupDocument_(*this),
      trackExchange_(instrumentDocument_, *this) {
    renderer_.setSampleRate(44100.0f);
    DrumMachine::setSampleRate(44100.0f);
    setNumInputs(0);
    setNumOutputs(2);
    canProcessReplacing(true);
    hasVu(false);
    hasClip(false);
    canMono(false);
    isSynth(true);
    setUniqueID(fourCharCode("ZK15"));
    knobSlots_.setDefaults();
    bank_.selectedTrack = 0;
    DrumMachine::suspend();
    DrumMachine::resume();
    startUp(ModulePath::folder(), configurationBeside(ModulePath::file()));
}

void DrumMachine::startUp(const std::string& root, const std::string& configurationPath) {
    contentFolders_.setRoot(root);
    configuration_ = Configuration(configurationPath);
    library_.startUp(configuration_);
}

bool DrumMachine::displaysSchematics() const {
    bool on = true;
    configuration_.readBool(kEditorSection, kSchematicsKey, &on);
    return on;
}

void DrumMachine::setDisplaysSchematics(bool on) { configuration_.writeBool(kEditorSection, kSchematicsKey, on); }

DrumMachine::~DrumMachine() { std::lock_guard<std::recursive_mutex> lock(processLock_); }

void DrumMachine::setParameter(int32_t index, float value) {
    if (index == GenSynthesisType || index == FXType || index == FXActive) {
        setStructuralParameter(index, bank_.table().toValue(index, value));
    } else if (inRange(index, 0, kParameterCount)) {
        bank_.setValue(bank_.selectedTrack, index, bank_.table().toValue(index, value));
    } else if (index == kControlCloseEditor) {
        if (value == 0.0f && editor_)
            editor_->close();
    } else if (index == kParamMasterVolume) {
        bank_.masterVolume = std::pow(10.0f, (48.0f * value - 42.0f) / 20.0f);
    } else if (index == kParamSelectTrack) {
        bank_.selectedTrack = InstrumentBank::clampTrack(static_cast<int>(std::lrint(value)));
    } else if (index == kParamShuffle) {
        // The model keeps what it is given; a host may send more than 100 %.
        sequencer_.setShuffle(std::clamp(static_cast<int>(std::lrint(value * 100.0f)), 0, 100));
        notifyEditor(kRefreshShuffleAndBars, value);
    } else if (index == kParamSaveWithDialog) {
        library_.saveWithDialog(static_cast<int>(std::lrint(value)));
    } else if (index == kParamBrowsePrevious || index == kParamBrowseNext) {
        library_.browse(static_cast<int>(std::lrint(value)), index == kParamBrowsePrevious);
    } else if (index == kParamAudition) {
        audition(value);
    } else if (inRange(index, kParamMuteFirst, kTrackCount)) {
        setMuted(index - kParamMuteFirst, value > 0.0f);
    } else if (inRange(index, kParamSoloFirst, kTrackCount)) {
        setSoloed(index - kParamSoloFirst, value > 0.0f);
    } else if (index == kParamResetModulation) {
        resetModulation(static_cast<int>(std::lrint(value)));
    } else if (inRange(index, kParamTriggerTrackFirst, kTrackCount)) {
        pendingTriggers_.request(index - kParamTriggerTrackFirst, value);
    } else if (index == kParamHostTempo) {
        hostTempo_ = value;
    } else if (index == kParamHostPosition) {
        hostPosition_ = static_cast<int>(std::lrint(value));
    } else {
        notifyEditor(index, value);
    }
}

float DrumMachine::getParameter(int32_t index) {
    // The instrument's own value: what the host wrote, whatever automation adds
    // to it while the pattern plays (the editor shows that beside the knob).
    if (inRange(index, 0, kParameterCount))
        return bank_.table().toNormalized(index, bank_.baseValue(bank_.selectedTrack, index));
    switch (index) {
    case kParamMasterVolume: return (20.0f * std::log10(bank_.masterVolume) - 6.0f + 48.0f) / 48.0f;
    case kParamSelectTrack: return static_cast<float>(bank_.selectedTrack);
    case kParamShuffle: return static_cast<float>(sequencer_.shuffle()) * 0.01f;
    case kParamMeterLeft: return renderer_.meter(0).level();
    case kParamMeterRight: return renderer_.meter(1).level();
    default: break;
    }
    if (inRange(index, kParamMuteFirst, kTrackCount))
        return bank_.track(index - kParamMuteFirst).muted ? 1.0f : 0.0f;
    if (inRange(index, kParamSoloFirst, kTrackCount))
        return bank_.track(index - kParamSoloFirst).soloed ? 1.0f : 0.0f;
    return 0.0f;
}

void DrumMachine::setStructuralParameter(int index, float value) {
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    bank_.setValue(bank_.selectedTrack, index, value);
}

void DrumMachine::patternChanged() {
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    for (int t = 0; t < kTrackCount; ++t) {
        const TrackPattern& pattern = sequencer_.track(t);
        if (pattern.hasAutomation(FXActive) && pattern.automationScale(FXActive) != 0.0f)
            bank_.voice(t).effects().prepareBuffers();
    }
}

EffectSlotState DrumMachine::effectSlotState() const {
    const EffectsModule& fx = bank_.voice(bank_.selectedTrack).effects();
    EffectSlotState state;
    state.type = fx.effectType();
    for (int p = 0; p < 4; ++p)
        state.stored[p] = fx.storedValue(p);
    state.sampleRate = sampleRate_;
    return state;
}

namespace {

// The last component of a document name: "Kicks\\Deep" shows as "Deep".
void copyLastComponent(const std::string& name, char* text) {
    size_t cut = name.find_last_of("\\/");
    std::string last = cut == std::string::npos ? name : name.substr(cut + 1);
    std::snprintf(text, DrumMachine::kDisplayLength, "%s", last.c_str());
}

} // namespace

void DrumMachine::getParameterDisplay(int32_t index, char* text) {
    const int selected = bank_.selectedTrack;
    if (inRange(index, 0, kParameterCount))
        display_.text(index, bank_.value(selected, index), effectSlotState(), text, kDisplayLength);
    else if (inRange(index, kDisplayInstrumentNameFirst, kTrackCount))
        copyLastComponent(bank_.track(index - kDisplayInstrumentNameFirst).name, text);
    else if (index == kDisplaySetupName)
        copyLastComponent(setupName_, text);
    else if (index == kDisplayKitName)
        copyLastComponent(kitName_, text);
    else if (index == kDisplayPatternName)
        copyLastComponent(patternName_, text);
    else if (index == kDisplaySampleName)
        copyLastComponent(bank_.track(selected).samplePath, text);
    else
        text[0] = '\0';
}

void DrumMachine::getParameterName(int32_t index, char* text) {
    const char* name = "";
    if (inRange(index, 0, kParameterCount))
        name = display_.name(index, bank_.voice(bank_.selectedTrack).effects().effectType());
    std::snprintf(text, kDisplayLength, "%s", name);
}

void DrumMachine::setMuted(int track, bool muted) {
    InstrumentBank::Track& t = bank_.track(track);
    t.muted = muted;
    if (muted && !t.soloed)
        t.silenceRequested = true;
}

void DrumMachine::setSoloed(int track, bool soloed) { bank_.track(track).soloed = soloed; }

void DrumMachine::requestHostPlayback() {
    // The host only renders while its transport runs.
    if (!renderer_.isRendering())
        hostVendorSpecific(fourCharCode("HOST"), fourCharCode("PLAY"), nullptr, 0.0f);
}

void DrumMachine::audition(float velocity) {
    requestHostPlayback();
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    playback_.trigger(bank_.selectedTrack, velocity);
}

// Automation never writes the instrument's values, so a reset lane returns
// every parameter (the synthesis type too) to the instrument's own value.
void DrumMachine::resetModulation(int index) {
    if (index >= 0 && index < kParameterCount && index != GenNullDummy)
        bank_.voice(bank_.selectedTrack).setModuleValue(index, 0.0f, ModuleParameter::kOffset);
}

void DrumMachine::notifyEditor(int control, float value) {
    if (editor_)
        editor_->setParameter(control, value);
}

void DrumMachine::setSampleRate(float rate) {
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    if (rate != bank_.sampleRate() && rate > 0.0f) {
        bank_.setSampleRate(rate);
        renderer_.setSampleRate(rate);
    }
    const int rounded = static_cast<int>(std::lrint(rate));
    sampleRate_ = rounded > 0 ? rounded : 44100;
    AudioEffect::setSampleRate(rate);
}

void DrumMachine::suspend() {
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    renderer_.suspend();
}

void DrumMachine::resume() {
    for (int t = 0; t < kTrackCount; ++t)
        bank_.track(t).triggered = false;
}

bool DrumMachine::saveState(std::string& stream) { return setupDocument_.setupToText(stream); }

bool DrumMachine::loadState(const char* text) { return setupDocument_.setupFromText(text); }

void DrumMachine::setStepResolution(int resolution) {
    if (resolution == 8 || resolution == 16 || resolution == 32)
        stepResolution_ = resolution;
}

void DrumMachine::process(float**, float** outputs, int32_t frames) { renderBlock(outputs, frames, true); }

void DrumMachine::processReplacing(float**, float** outputs, int32_t frames) { renderBlock(outputs, frames, false); }

void DrumMachine::renderBlock(float** outputs, int32_t frames, bool adding) {
    std::lock_guard<std::recursive_mutex> lock(processLock_);
    if (frames < 1)
        return;
    float tempo = hostTempo_;
    sequencer_.startBlock(sampleRate_, hostPosition_, tempo);
    for (int t = 0; t < kTrackCount; ++t) {
        bank_.track(t).tempo = tempo;
        bank_.voice(t).setTempo(tempo);
    }
    pendingTriggers_.apply(playback_);
    renderer_.render(outputs, frames, adding);
}

int32_t DrumMachine::drawThumbnail(cairo_t* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                   int32_t start, int32_t end, float tempo) {
    ThumbnailGeometry g;
    if (!surface ||
        !ThumbnailGeometry::compute(left, top, right, bottom, start, end, tempo, static_cast<float>(sampleRate_), &g))
        return 0;
    const int length = sequencer_.bars() * Sequencer::kStepsPerBar;
    if (length < 1)
        return 0;
    cairo_save(surface);
    cairo_set_source_rgb(surface, 1.0, 1.0, 1.0);
    for (int row = 0; row < kTrackCount; ++row) {
        const TrackPattern& pattern = sequencer_.track(row);
        for (int column = 0; column < g.stepCount; ++column) {
            auto step = static_cast<int>(((int64_t{g.firstStep} + column) % length + length) % length);
            if (pattern.velocity(step) > 0)
                cairo_rectangle(surface, g.cellLeft(column), g.cellTop(row), g.cellWidth, g.cellHeight);
        }
    }
    cairo_fill(surface);
    cairo_restore(surface);
    return 0;
}

} // namespace trommik2
