#include "DrumMachine.h"

#include <cairo.h>

#include <filesystem>
#include <mutex>

#include "ThumbnailGeometry.h"
#include "core/effect/EffectEditor.h"
#include "platform/ModulePath.h"
#include "sequencer/AutomationRange.h"

namespace trommik2 {

namespace {

const char* const kEditorSection = "Editor";
const char* const kSchematicsKey = "DisplayParamScheme";

// The module's path with the extension ".ini": Trommik2.syn keeps its settings in Trommik2.ini.
std::string configurationBeside(const std::string& moduleFile) {
    return std::filesystem::path(moduleFile).replace_extension(".ini").string();
}

} // namespace

DrumMachine::DrumMachine(HostCallbackFunction hostCallback)
    : SynthPlugin(hostCallback), renderer_(model_.bank(), model_.sequencer(), processLock_), instrumentDocument_(*this),
      drumkitDocument_(*this), patternDocument_(*this), setupDocument_(*this),
      trackExchange_(instrumentDocument_, *this) {
    DrumMachine::setSampleRate(44100.0f);
    setNumInputs(0);
    setNumOutputs(2);
    canProcessReplacing(true);
    hasVu(false);
    hasClip(false);
    canMono(false);
    isSynth(true);
    setUniqueID(fourCharCode("ZK15"));
    model_.knobSlots().setDefaults();
    model_.bank().selectedTrack = 0;
    DrumMachine::suspend();
    DrumMachine::resume();
    startUp(ModulePath::folder(), configurationBeside(ModulePath::file()));
}

DrumMachine::~DrumMachine() {
    std::lock_guard<ProcessLock> lock(processLock_);
    // The editor reads the members below while it closes: it goes first.
    delete editor_;
    editor_ = nullptr;
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

void DrumMachine::setSampleRate(float rate) {
    // Hosts hand over their rate before every block: only a change takes the lock.
    if (renderer_.runsAt(rate))
        return;
    std::lock_guard<ProcessLock> lock(processLock_);
    renderer_.setSampleRate(rate);
    AudioEffect::setSampleRate(rate);
}

void DrumMachine::suspend() {
    std::lock_guard<ProcessLock> lock(processLock_);
    renderer_.suspend();
}

namespace {

// What a track's automation can make of its effect slot.
EffectsModule::Reach effectReach(const Sequencer& sequencer, const ParameterTable& table, int track) {
    auto range = [&](int parameter) {
        const ParameterDescriptor& d = table.descriptor(parameter);
        return AutomationRange::of(sequencer.track(track), parameter, d.automationMinimum, d.automationMaximum,
                                   sequencer.bars() * Sequencer::kStepsPerBar);
    };
    EffectsModule::Reach reach;
    const AutomationRange types = range(FXType);
    if (types.automated)
        reach.types = EffectsModule::typesBetween(types.low, types.high);
    const AutomationRange active = range(FXActive);
    reach.canBeActive = active.automated && active.high > 0.5f;
    return reach;
}

} // namespace

void DrumMachine::patternChanged() {
    for (int t = 0; t < kTrackCount; ++t)
        installEffects(t, effectReach(model_.sequencer(), model_.bank().table(), t));
}

void DrumMachine::switchEffect(int track, int index, float value) {
    const EffectsModule& effects = model_.bank().voice(track).effects();
    writeTrack(track, EffectsModule::reachWith(effects.reachWhileWriting(), index, value),
               [&] { model_.bank().setValue(track, index, value); });
}

void DrumMachine::notifyEditor(int control, float value) {
    if (editor_)
        editor_->setParameter(control, value);
}

void DrumMachine::requestHostPlayback() {
    // The host only renders, and the pattern only moves, while its transport runs.
    if (!renderer_.hostPlaying())
        hostVendorSpecific(fourCharCode("HOST"), fourCharCode("PLAY"), nullptr, 0.0f);
}

int32_t DrumMachine::drawThumbnail(cairo_t* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                   int32_t start, int32_t end, float tempo) {
    ThumbnailGeometry g;
    const Sequencer& sequencer = model_.sequencer();
    if (!surface || !ThumbnailGeometry::compute(left, top, right, bottom, start, end, tempo,
                                                static_cast<float>(renderer_.sampleRate()), &g))
        return 0;
    const int length = sequencer.bars() * Sequencer::kStepsPerBar;
    if (length < 1)
        return 0;
    cairo_save(surface);
    cairo_set_source_rgb(surface, 1.0, 1.0, 1.0);
    for (int row = 0; row < kTrackCount; ++row) {
        const TrackPattern& pattern = sequencer.track(row);
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
