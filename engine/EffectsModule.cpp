#include "EffectsModule.h"

#include <algorithm>

#include "Dsp.h"
#include "effects/Effect.h"
#include "effects/EffectRegistry.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

namespace {

// Synchronised delays at very low tempi would need huge buffers; hosts stay far inside.
constexpr float kMinTempo = 20.0f;
constexpr float kMaxTempo = 999.0f;

} // namespace

// Most tracks never switch their effect on: the effect's buffers (seconds of
// delay line) are allocated the first time it is, not for every track.
EffectsModule::EffectsModule()
    : SoundModule("FX Module", FXType, 6), effect_(effectDefinition(kMonoDelaySync).create()) {}

EffectsModule::~EffectsModule() = default;

void EffectsModule::setValue(int index, float value, int slot) {
    SoundModule::setValue(index, value, slot);
    if (slot != ModuleParameter::kBase)
        return;
    if (index == FXType) {
        int type = nearestStep(value, 0, kTypeCount - 1);
        if (type != type_)
            switchType(type);
    } else if (index >= FXParam1 && index <= FXParam4) {
        int p = index - FXParam1;
        records_[type_][p] = dsp::clip(value, 0.0f, 1.0f);
    } else if (index == FXActive) {
        bool active = value > 0.5f;
        if (active)
            prepareBuffers();
        if (active != active_) {
            active_ = active;
            clearRequested_ = true;
        }
    }
}

// The four knobs keep their values across a switch, so automating the type
// or trying another effect never moves them.
void EffectsModule::switchType(int type) {
    type_ = type;
    effect_.reset();
    effect_ = effectDefinition(type).create();
    prepared_ = false;
    if (active_)
        prepare();
}

void EffectsModule::prepare() {
    effect_->prepare(sampleRate_, tempo_);
    prepared_ = true;
}

void EffectsModule::setSampleRate(float rate) {
    if (!(rate > 0.0f))
        return;
    SoundModule::setSampleRate(rate);
    if (prepared_)
        prepare();
}

void EffectsModule::reset() {
    SoundModule::reset(); // the effect is cleared at the next block
}

void EffectsModule::setTempo(float bpm) {
    if (!(bpm > 0.0f))
        return;
    bpm = std::clamp(bpm, kMinTempo, kMaxTempo);
    if (bpm == tempo_)
        return;
    tempo_ = bpm;
    if (prepared_)
        prepare();
}

int EffectsModule::tailSamples() const { return active_ ? effect_->tailSamples() : 0; }

float EffectsModule::storedValue(int p) const { return p >= 0 && p < 4 ? records_[type_][p].load() : 0.0f; }

double EffectsModule::mappedValue(int p) const { return p >= 0 && p < 4 ? mapped_[p].load() : 0.0; }

const EffectDescription& EffectsModule::description() const { return effectDefinition(type_).description; }

void EffectsModule::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    if (resetPending_ || clearRequested_) {
        effect_->clear();
        resetPending_ = false;
        clearRequested_ = false;
    }
    if (!active_) {
        std::copy_n(inLeft, n, outLeft);
        std::copy_n(inRight, n, outRight);
        return;
    }
    // The effect runs on what its knobs' definitions map them to, as their labels show.
    const EffectDescription& knobs = description();
    double values[kEffectParameterCount];
    for (int p = 0; p < kEffectParameterCount; ++p) {
        float x = dsp::clip(smoothed(FXParam1 + p), 0.0f, 1.0f);
        records_[type_][p] = x;
        values[p] = knobs.value(p, x, sampleRate_);
        mapped_[p] = values[p];
    }
    effect_->configure(values);
    effect_->process(inLeft, inRight, outLeft, outRight, n);
}

} // namespace trommik2
