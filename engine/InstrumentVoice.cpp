#include "InstrumentVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Float4.h"
#include "RunBlock.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

void multiply(const float* __restrict a, const float* __restrict b, float* __restrict product, int n) {
    for (int i = 0; i < n; ++i)
        product[i] = a[i] * b[i];
}

} // namespace

InstrumentVoice::InstrumentVoice(const float* smoothingMs, float sampleRate)
    : sampleRate_(sampleRate), generator_(smoothingMs, sampleRate) {
    filter_.setMode(12);
    generator_.reportChangesTo(&changed_);
    SoundModule* chain[] = {&envelope_, &filter_, &effects_, &output_};
    for (SoundModule* module : chain) {
        module->reportChangesTo(&changed_);
        module->setSampleRate(sampleRate);
        for (int i = module->firstIndex(); i < module->firstIndex() + module->count(); ++i)
            module->setSmoothingTime(i, smoothingMs[i]);
    }
    effects_.setTempo(tempo_);
    reset();
}

SoundModule* InstrumentVoice::owner(int index) {
    return const_cast<SoundModule*>(static_cast<const InstrumentVoice*>(this)->owner(index));
}

const SoundModule* InstrumentVoice::owner(int index) const {
    if (index >= EnvAttack && index <= EnvAMSpeed)
        return &envelope_;
    if (index >= FilterType && index <= FilterEnvAmt)
        return &filter_;
    if (index >= FXType && index <= FXActive)
        return &effects_;
    if (index >= OutLevelDB && index <= OutPan)
        return &output_;
    return nullptr;
}

void InstrumentVoice::setModuleValue(int index, float value, int slot) {
    if (index < 0 || index >= kParameterCount)
        return;
    if (index <= GenMixSynthesisWav)
        generator_.setValue(index, value, slot);
    else
        owner(index)->setValue(index, value, slot);
}

void InstrumentVoice::setParameterWhilePlaying(int index, float value) {
    if (index >= FXType && index <= FXActive)
        effects_.setValueWhilePlaying(index, value);
    else
        setParameter(index, value);
}

float InstrumentVoice::moduleValue(int index, int slot) const {
    if (index < 0 || index >= kParameterCount)
        return 0.0f;
    if (index <= GenMixSynthesisWav)
        return generator_.value(index, slot);
    return owner(index)->value(index, slot);
}

float InstrumentVoice::value(int index) const {
    return moduleValue(index, ModuleParameter::kBase) + moduleValue(index, ModuleParameter::kOffset);
}

void InstrumentVoice::setSmoothingTime(int index, float ms) {
    if (index >= 0 && index <= GenMixSynthesisWav)
        generator_.setSmoothingTime(index, ms);
    else if (SoundModule* module = owner(index))
        module->setSmoothingTime(index, ms);
}

void InstrumentVoice::setSampleRate(float rate) {
    sampleRate_ = rate;
    generator_.setSampleRate(rate);
    filter_.setSampleRate(rate);
    effects_.setSampleRate(rate);
    envelope_.setSampleRate(rate);
}

void InstrumentVoice::setTempo(float bpm) {
    tempo_ = bpm;
    effects_.setTempo(bpm);
}

void InstrumentVoice::trigger(float velocity) {
    float shaped = envelope_.shapeVelocity(velocity);
    envelope_.trigger();
    generator_.startNote(shaped);
}

void InstrumentVoice::clearBuffers() {
    std::memset(buffers_, 0, sizeof buffers_);
    std::memset(triggers_, 0, sizeof triggers_);
    meterMagnitude_ = 0.0f;
    meterOwed_ = false;
}

void InstrumentVoice::measureMeter() {
    float sum = 0.0f;
    for (float x : buffers_[kMeter])
        sum += std::fabs(x);
    meterMagnitude_ = sum;
}

void InstrumentVoice::settleMeter(int from) {
    if (!meterOwed_)
        return;
    meterOwed_ = false;
    const float* envelope = buffers_[kEnvelope];
    float* meter = buffers_[kMeter];
    for (int i = from; i < dsp::kBlockSize; ++i) {
        const float x = owedPattern_.at(i) * envelope[i];
        meter[i] = x + x;
    }
}

float InstrumentVoice::exactMeterMagnitude() {
    if (meterOwed_) {
        settleMeter(0);
        measureMeter();
    }
    return meterMagnitude_;
}

// Each sum adds its voice's 64 magnitudes in order, one after the other; four
// sums share vector lanes, so that their chains of additions overlap.
void InstrumentVoice::measureMeters(InstrumentVoice* const* all, int allCount) {
    constexpr int kLanes = 4;
    InstrumentVoice* voices[kMostVoices];
    int count = 0;
    for (int v = 0; v < allCount && count < kMostVoices; ++v)
        if (!all[v]->meterOwed_)
            voices[count++] = all[v];
    const Int4 magnitude = {0x7fffffff, 0x7fffffff, 0x7fffffff, 0x7fffffff};
    for (int first = 0; first < count; first += kLanes) {
        const int members = std::min(kLanes, count - first);
        if (members == 1) {
            voices[first]->measureMeter();
            break;
        }
        const float* meters[kLanes];
        for (int k = 0; k < kLanes; ++k)
            meters[k] = voices[first + std::min(k, members - 1)]->buffers_[kMeter];
        Float4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
        for (int i = 0; i < dsp::kBlockSize; i += kLanes) {
            Float4 samples[kLanes] = {load4(meters[0] + i), load4(meters[1] + i), load4(meters[2] + i),
                                      load4(meters[3] + i)};
            transpose4(samples);
#pragma GCC unroll 4
            for (const Float4& x : samples)
                sum += reinterpret_cast<Float4>(reinterpret_cast<Int4>(x) & magnitude);
        }
        for (int k = 0; k < members; ++k)
            voices[first + k]->meterMagnitude_ = sum[k];
    }
}

void InstrumentVoice::reset() {
    clearBuffers();
    generator_.reset();
    envelope_.reset();
    filter_.reset();
    effects_.reset();
    output_.reset();
}

// The envelope still to apply to the filtered signal: none for the physical
// model, which shapes its own decay from the envelope it was handed.
const float* InstrumentVoice::envelopeToApply() const {
    return generator_.playingType() == kPhysicalModelling ? nullptr : buffers_[kEnvelope];
}

// The mono signal after the envelope.
const float* InstrumentVoice::applyEnvelope(int n) {
    const float* filtered = filtered_;
    const float* envelope = envelopeToApply();
    if (!envelope)
        return filtered;
    float* shaped = buffers_[kShaped];
    dsp::runBlock(n, [&](int length) { multiply(filtered, envelope, shaped, length); });
    return shaped;
}

// A voice whose values all sit at their targets, with nothing written since,
// skips the pass: its modules would each find nothing to do.
void InstrumentVoice::smoothParameters() {
    if (!changed_.take() && settled_)
        return;
    generator_.smoothParameters();
    envelope_.smoothParameters();
    filter_.smoothParameters();
    effects_.smoothParameters();
    output_.smoothParameters();
    settled_ =
        generator_.settled() && envelope_.settled() && filter_.settled() && effects_.settled() && output_.settled();
}

// A held mix (an idle sample-only voice) stays two values where the filter is
// off: the output stage takes them as they are, and only an effect needs them
// written out.
bool InstrumentVoice::startSources(int n) {
    const bool held = generator_.renderOrHold(buffers_[kEnvelope], triggers_, buffers_[kMixed], n, heldMix_);
    held_ = held && filter_.isOff();
    if (held_) {
        filtered_ = buffers_[kMixed];
        return false;
    }
    if (held)
        heldMix_.fill(buffers_[kMixed], n);
    const bool pending = filter_.prepare(buffers_[kEnvelope], buffers_[kMixed], buffers_[kFiltered], n);
    filtered_ = pending ? buffers_[kFiltered] : buffers_[kMixed];
    return pending;
}

// Both channels are the one mono signal up to the effect; without one, the
// output stage takes it with the envelope still to apply.
void InstrumentVoice::finishBlock(int n, float* left, float* right, float* mixLeft, float* mixRight, bool keepTrack) {
    const bool effect = effects_.plays();
    if (held_ && !effect && n == dsp::kBlockSize) {
        finishHeld(n, keepTrack ? left : nullptr, keepTrack ? right : nullptr, mixLeft, mixRight);
        return;
    }
    settleMeter(n);
    const OutputModule::Destination out = {left, right, buffers_[kMeter], mixLeft, mixRight};
    if (held_)
        heldMix_.fill(buffers_[kMixed], n);
    if (effect) {
        const float* mono = applyEnvelope(n);
        effects_.run(mono, mono, buffers_[kEffectLeft], buffers_[kEffectRight], n);
        outputGain_ = output_.process({buffers_[kEffectLeft], buffers_[kEffectRight], nullptr}, out, n);
    } else {
        outputGain_ = output_.process({filtered_, filtered_, envelopeToApply()}, out, n);
    }
}

// A whole block of a held mix leaves the meter's values owed, with a bound on
// their measure: the meter holds x + x for each shaped value x, so its sum is
// at most twice the magnitudes' sum, which the margin keeps above any order
// and rounding of the additions (and any values too small for a float's
// precision).
void InstrumentVoice::finishHeld(int n, float* left, float* right, float* mixLeft, float* mixRight) {
    float magnitudes = 0.0f;
    outputGain_ =
        output_.process(heldMix_, buffers_[kEnvelope], {left, right, nullptr, mixLeft, mixRight}, n, magnitudes);
    owedPattern_ = heldMix_;
    meterOwed_ = true;
    meterMagnitude_ = 2.0f * magnitudes * (1.0f + 1.0f / 4096.0f) + 1e-30f;
}

} // namespace trommik2
