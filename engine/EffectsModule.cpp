#include "EffectsModule.h"

#include <algorithm>
#include <iterator>

#include "Dsp.h"
#include "effects/EffectMapping.h"
#include "effects/EffectRegistry.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

namespace {

constexpr uint32_t bit(int type) { return 1u << type; }

int typeOf(float value) { return nearestStep(value, 0, EffectsModule::kTypeCount - 1); }

} // namespace

bool EffectsModule::Effects::empty() const {
    return retire == 0 &&
           std::none_of(std::begin(byType), std::end(byType), [](const auto& e) { return e != nullptr; });
}

// Most tracks never switch their effect on: an effect's buffers (seconds of
// delay line) are allocated the first time it may play, not for every track.
EffectsModule::EffectsModule() : SoundModule("FX Module", FXType, 6) {
    installed_[kMonoDelaySync] = effectDefinition(kMonoDelaySync).create();
}

EffectsModule::~EffectsModule() = default;

uint32_t EffectsModule::typesBetween(float low, float high) {
    uint32_t types = 0;
    for (int t = typeOf(low); t <= typeOf(high); ++t)
        types |= bit(t);
    return types;
}

EffectsModule::Reach EffectsModule::reachWith(Reach reach, int index, float value) {
    if (index == FXType)
        reach.types |= typesBetween(value, value);
    else if (index == FXActive)
        reach.canBeActive = reach.canBeActive || value > 0.5f;
    return reach;
}

EffectsModule::Reach EffectsModule::reachWhileWriting() const {
    Reach during = reach_;
    during.types |= bit(type_);
    return during;
}

void EffectsModule::setValue(int index, float value, int slot) {
    SoundModule::setValue(index, value, slot);
    if (slot == ModuleParameter::kBase)
        setBaseValue(index, value, true);
}

void EffectsModule::setValueWhilePlaying(int index, float value) {
    SoundModule::setValue(index, value, ModuleParameter::kBase);
    setBaseValue(index, value, false);
}

// The four knobs keep their values across a type switch, so automating the type
// or trying another effect never moves them.
void EffectsModule::setBaseValue(int index, float value, bool mayBuild) {
    if (index >= FXParam1 && index <= FXParam4) {
        records_[type_][index - FXParam1] = dsp::clip(value, 0.0f, 1.0f);
        return;
    }
    if (index == FXType)
        selectType(typeOf(value));
    else if (index == FXActive)
        switchOn(value > 0.5f, mayBuild);
    else
        return;
    if (mayBuild)
        install(build(reach_), reach_);
}

void EffectsModule::selectType(int type) {
    if (type == type_)
        return;
    type_ = type;
    clearRequested_ = true; // the selected effect starts fresh, as a new one would
}

void EffectsModule::switchOn(bool active, bool mayBuild) {
    if (active != active_) {
        active_ = active;
        clearRequested_ = true;
    }
    // A pattern that switches the slot on without having been announced still
    // gets the current effect's buffers: the one allocation left on the audio
    // thread, which announcing the pattern (build, install) avoids.
    Effect* current = installed_[type_].get();
    if (active && !mayBuild && current && current->preparedRate() != rate_)
        current->prepare(rate_, tempo_);
}

EffectsModule::Effects EffectsModule::build(const Reach& reach) const {
    Effects built;
    const uint32_t needed = reach.types | bit(type_);
    const bool withBuffers = active_ || reach.canBeActive;
    const float rate = rate_;
    for (int t = 0; t < kTypeCount; ++t) {
        const Effect* present = installed_[t].get();
        if ((needed & bit(t)) == 0) {
            if (present)
                built.retire |= bit(t);
        } else if (!present || (withBuffers && present->preparedRate() != rate)) {
            built.byType[t] = effectDefinition(t).create();
            if (withBuffers)
                built.byType[t]->prepare(rate, tempo_);
        }
    }
    return built;
}

EffectsModule::Effects EffectsModule::install(Effects built, const Reach& reach) {
    Effects out;
    for (int t = 0; t < kTypeCount; ++t) {
        std::unique_ptr<Effect>& incoming = built.byType[t];
        if (incoming) {
            // Only if the rate changed since build: sized again under the lock.
            if (incoming->preparedRate() != 0.0f && incoming->preparedRate() != rate_)
                incoming->prepare(rate_, tempo_);
            out.byType[t] = std::move(installed_[t]);
            installed_[t] = std::move(incoming);
        } else if ((built.retire & bit(t)) != 0 && t != type_ && (reach.types & bit(t)) == 0) {
            out.byType[t] = std::move(installed_[t]);
        }
    }
    reach_ = reach;
    return out;
}

// Rate changes come under the process lock; effects that have buffers are sized anew.
void EffectsModule::setSampleRate(float rate) {
    if (!(rate > 0.0f))
        return;
    SoundModule::setSampleRate(rate);
    rate_ = rate;
    for (std::unique_ptr<Effect>& effect : installed_)
        if (effect && effect->preparedRate() != 0.0f)
            effect->prepare(rate, tempo_);
}

void EffectsModule::reset() {
    SoundModule::reset(); // the effect is cleared at the next block
}

void EffectsModule::setTempo(float bpm) {
    if (bpm > 0.0f)
        tempo_ = std::clamp(bpm, fx::kSlowestTempo, fx::kFastestTempo);
}

Effect* EffectsModule::playingEffect() const {
    if (!active_)
        return nullptr;
    Effect* effect = installed_[type_].get();
    return effect && effect->preparedRate() == rate_ ? effect : nullptr;
}

int EffectsModule::tailSamples() const {
    const Effect* effect = playingEffect();
    return effect ? effect->tailSamples() : 0;
}

float EffectsModule::storedValue(int p) const { return p >= 0 && p < 4 ? records_[type_][p].load() : 0.0f; }

double EffectsModule::mappedValue(int p) const { return p >= 0 && p < 4 ? mapped_[p].load() : 0.0; }

const EffectDescription& EffectsModule::description() const { return effectDefinition(type_).description; }

void EffectsModule::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    if (!run(inLeft, inRight, outLeft, outRight, n)) {
        std::copy_n(inLeft, n, outLeft);
        std::copy_n(inRight, n, outRight);
    }
}

bool EffectsModule::plays() {
    if (resetPending_ || clearRequested_) {
        if (Effect* effect = installed_[type_].get())
            effect->clear();
        resetPending_ = false;
        clearRequested_ = false;
    }
    return playingEffect() != nullptr;
}

bool EffectsModule::run(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    if (!plays())
        return false;
    Effect* effect = playingEffect();
    // The effect runs on what its knobs' definitions map them to, as their labels show.
    const EffectDescription& knobs = description();
    double values[kEffectParameterCount];
    for (int p = 0; p < kEffectParameterCount; ++p) {
        float x = dsp::clip(smoothed(FXParam1 + p), 0.0f, 1.0f);
        records_[type_][p] = x;
        values[p] = knobs.value(p, x, sampleRate_);
        mapped_[p] = values[p];
    }
    effect->configure(values, tempo_);
    effect->process(inLeft, inRight, outLeft, outRight, n);
    return true;
}

} // namespace trommik2
