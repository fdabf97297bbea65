#include "LibraryMachine.h"

#include <cmath>
#include <mutex>
#include <trommik2/control_ids.h>

#include "content/WavLoader.h"

namespace trommik2 {

namespace {

constexpr float kTempo = 120.0f;
constexpr int kBlock = 512;
constexpr int kSlotsPerStep16 = 2;
constexpr int kSlotsPerBar = Sequencer::kStepsPerBar;

// The knobs an instrument's document assigns first, by what makes its sound.
const int kKnobsBySynthesis[4][6] = {
    {GenNoiseFreq2, GenNoiseShapePitchEnv2, GenNoiseLevel1, FilterFreq, EnvDecay, OutLevelDB},
    {GenFMRingTune1, GenFMRingTune2, GenFMRingXModAmt, GenFMRingRingModAmt, EnvDecay, OutLevelDB},
    {GenPMExciterFreq, GenPMSize, GenPMDamping, FilterFreq, EnvDecay, OutLevelDB},
    {GenWavTune, GenWavShapeAmpEnv, FilterFreq, EnvDecay, OutLevelDB, OutPan},
};

int velocityOf(char c) { return static_cast<int>(std::lround((c - '0') * 127.0 / 9.0)); }

// The slot from which a point's value holds: a 32nd note before its step,
// unless the step before holds a point too (whose note it would bend).
int arrivalSlot(const AutomationRecipe& lane, size_t k, int slots) {
    const int step = lane.points[k].first;
    const bool followsPoint = k > 0 && lane.points[k - 1].first == step - 1;
    return (step * kSlotsPerStep16 - (followsPoint ? 0 : 1) + slots) % slots;
}

// The value a slot holds: that of the point that arrived last, wrapping round
// the pattern. Points are in step order.
float heldValue(const AutomationRecipe& lane, int slot, int slots) {
    int best = -1;
    int bestArrival = -1;
    int latest = 0;
    for (size_t k = 0; k < lane.points.size(); ++k) {
        const int arrival = arrivalSlot(lane, k, slots);
        if (arrival <= slot && arrival >= bestArrival) {
            best = static_cast<int>(k);
            bestArrival = arrival;
        }
        if (arrival >= arrivalSlot(lane, static_cast<size_t>(latest), slots))
            latest = static_cast<int>(k);
    }
    return lane.points[static_cast<size_t>(best >= 0 ? best : latest)].second;
}

} // namespace

LibraryMachine::LibraryMachine(const std::string& root) : machine_(std::make_unique<DrumMachine>(nullptr)) {
    machine_->contentFolders().setRoot(root);
    machine_->setSampleRate(static_cast<float>(kRate));
    machine_->setParameter(kParamHostTempo, kTempo);
    machine_->resume();
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        machine_->sequencer().track(t).clear();
}

std::string LibraryMachine::documentPath(const std::string& name, int kind) const {
    return machine_->contentFolders().pathOf(name + "." + ContentFolders::kindInfo(kind)->extension, kind);
}

bool LibraryMachine::applyInstrument(int track, const InstrumentRecipe& recipe) {
    InstrumentBank& bank = machine_->bank();
    const ParameterTable& table = bank.table();
    float values[kParameterCount];
    for (int i = 0; i < kParameterCount; ++i)
        values[i] = table.descriptor(i).defaultValue;
    values[GenSynthesisType] = kNoSynthesis;
    for (const Setting& s : recipe.settings)
        values[s.index] = s.value;

    std::lock_guard<ProcessLock> lock(machine_->processLock());
    for (int i = GenSynthesisType; i < kParameterCount; ++i)
        bank.setValue(track, i, values[i]);
    InstrumentBank::Track& t = bank.track(track);
    SampleModule& player = t.voice->generator().sample();
    bool loaded = true;
    if (recipe.sample.empty()) {
        WavLoader::Decoded released;
        WavLoader::unloadSample(player, released);
        t.samplePath = "No Sample";
    } else {
        t.samplePath = machine_->contentFolders().pathOf(recipe.sample, kContentSamples);
        loaded = WavLoader::loadSample(t.samplePath, player);
    }
    const int type = static_cast<int>(values[GenSynthesisType]);
    for (int slot = 0; slot < 6; ++slot)
        machine_->model().knobSlots().set(track, slot, kKnobsBySynthesis[type][slot]);
    t.name = recipe.name;
    bank.silenceTrack(track);
    return loaded;
}

bool LibraryMachine::applyKit(const KitRecipe& kit) {
    for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
        const KitTrack& slot = kit.tracks[t];
        const InstrumentRecipe* recipe = findInstrument(slot.instrument);
        if (!recipe || !applyInstrument(t, *recipe))
            return false;
        InstrumentBank& bank = machine_->bank();
        bank.setValue(t, OutLevelDB, bank.value(t, OutLevelDB) + slot.levelOffsetDb);
        bank.setValue(t, OutPan, slot.pan);
        bank.silenceTrack(t);
    }
    machine_->model().kitName() = kit.name;
    return true;
}

void LibraryMachine::applyPattern(const PatternRecipe& pattern) {
    Sequencer& sequencer = machine_->sequencer();
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        sequencer.track(t).clear();
    sequencer.setBars(pattern.bars);
    sequencer.setShuffle(pattern.shuffle);
    int finest = 8;
    for (const LaneRecipe& lane : pattern.lanes) {
        std::string steps;
        for (char c : lane.steps)
            if (c != '|')
                steps += c;
        const int perBar = static_cast<int>(steps.size()) / pattern.bars;
        const int slotsPerStep = kSlotsPerBar / perBar;
        finest = std::max(finest, perBar);
        TrackPattern& track = sequencer.track(lane.track);
        for (size_t k = 0; k < steps.size(); ++k)
            if (steps[k] >= '1' && steps[k] <= '9')
                track.setStep(static_cast<int>(k) * slotsPerStep, velocityOf(steps[k]));
        track.setVelocityRandom(lane.velocityRandom);
    }
    for (const AutomationRecipe& lane : pattern.automation) {
        TrackPattern& track = sequencer.track(lane.track);
        const int slots = pattern.bars * kSlotsPerBar;
        for (int slot = 0; slot < slots; ++slot) {
            const float value = heldValue(lane, slot, slots);
            // A point holds a value only when it is not 0.
            track.setAutomationPoint(lane.parameter, slot, value != 0.0f ? value : 1e-3f);
        }
    }
    machine_->model().setStepResolution(finest);
    machine_->model().patternName() = pattern.name;
}

std::vector<float> LibraryMachine::renderHit(int track, float velocity, int frames) {
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        machine_->sequencer().track(t).clear();
    silenceAll();
    machine_->renderer().requestTrigger(track, velocity);
    return render(frames);
}

std::vector<float> LibraryMachine::renderPattern(int frames) {
    silenceAll();
    return render(frames);
}

void LibraryMachine::silenceAll() {
    machine_->suspend();
    machine_->resume();
    for (int t = 0; t < DrumMachine::kTrackCount; ++t)
        machine_->bank().silenceTrack(t);
}

std::vector<float> LibraryMachine::render(int frames) {
    std::vector<float> interleaved(static_cast<size_t>(frames) * 2);
    std::vector<float> left(kBlock), right(kBlock);
    for (int done = 0; done < frames; done += kBlock) {
        const int n = std::min(kBlock, frames - done);
        float* outputs[2] = {left.data(), right.data()};
        machine_->setParameter(kParamHostPosition, static_cast<float>(done));
        machine_->processReplacing(nullptr, outputs, n);
        for (int i = 0; i < n; ++i) {
            interleaved[2 * static_cast<size_t>(done + i)] = left[i];
            interleaved[2 * static_cast<size_t>(done + i) + 1] = right[i];
        }
    }
    return interleaved;
}

} // namespace trommik2
