#include "SynthesisGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "Dsp.h"
#include "Float4.h"
#include "RunBlock.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

namespace {

constexpr int kPart1 = 0;
constexpr int kPart2 = 1;
constexpr int kSampleBuffer = 2;

// The anti-denormal constant's sign alternates from sample to sample, by the
// index: four samples take it as one vector. Only the noise writes a second
// part and "none" writes neither; a part left out is a zero, which changes no
// sum once the nonzero constant is added, so it is not added.
template <int kParts, typename T>
T mixed(T part1, T part2, T sample, float synthesis, float samples, T d) {
    if constexpr (kParts == 2)
        return (part1 + part2) * synthesis + sample * samples + d;
    else if constexpr (kParts == 1)
        return part1 * synthesis + sample * samples + d;
    else
        return sample * samples + d;
}

template <int kParts>
void mixBlock(const float* part1, const float* part2, const float* sample, float* out, float synthesis, float samples,
              float antiDenormal, int n) {
    const Float4 d = {antiDenormal, -antiDenormal, antiDenormal, -antiDenormal};
    int i = 0;
    for (; i + 4 <= n; i += 4)
        store4(out + i, mixed<kParts>(load4(part1 + i), load4(part2 + i), load4(sample + i), synthesis, samples, d));
    for (; i < n; ++i)
        out[i] =
            mixed<kParts>(part1[i], part2[i], sample[i], synthesis, samples, (i & 1) ? -antiDenormal : antiDenormal);
}

} // namespace

SynthesisGenerator::SynthesisGenerator(const float* smoothingMs, float sampleRate)
    : smoothingMs_(smoothingMs), sampleRate_(sampleRate), antiDenormal_(dsp::kAntiDenormal),
      noise1_("Noise Module 1", GenNoiseFreq1), noise2_("Noise Module 2", GenNoiseFreq2),
      type_("Null Module", GenSynthesisType, 1), mix_("Global", GenMixSynthesisWav, 1) {
    type_.setValue(GenSynthesisType, static_cast<float>(kNoSynthesis), ModuleParameter::kBase);
    forEachModule([this](SoundModule& module) { configure(module); });
}

void SynthesisGenerator::configure(SoundModule& module) {
    module.setSampleRate(sampleRate_);
    for (int i = module.firstIndex(); i < module.firstIndex() + module.count(); ++i)
        module.setSmoothingTime(i, smoothingMs_[i]);
    module.reset();
}

const SoundModule* SynthesisGenerator::owner(int index) const {
    if (index >= GenNoiseFreq1 && index <= GenNoiseLevel1)
        return &noise1_;
    if (index >= GenNoiseFreq2 && index <= GenNoiseLevel2)
        return &noise2_;
    if (index >= GenPMSize && index <= GenPMVolume)
        return &model_;
    if (index >= GenFMRingTune1 && index <= GenFMRingVol2)
        return &fmRing_;
    if (index >= GenWavTune && index <= GenWavLevel)
        return &sample_;
    if (index == GenMixSynthesisWav)
        return &mix_;
    if (index == GenSynthesisType)
        return &type_;
    return nullptr;
}

SoundModule* SynthesisGenerator::owner(int index) {
    return const_cast<SoundModule*>(static_cast<const SynthesisGenerator*>(this)->owner(index));
}

void SynthesisGenerator::setValue(int index, float value, int slot) {
    if (SoundModule* module = owner(index))
        module->setValue(index, value, slot);
}

float SynthesisGenerator::value(int index, int slot) const {
    const SoundModule* module = owner(index);
    return module ? module->value(index, slot) : 0.0f;
}

float SynthesisGenerator::selectedValue() const {
    return type_.value(GenSynthesisType, ModuleParameter::kBase) +
           type_.value(GenSynthesisType, ModuleParameter::kOffset);
}

// The type plays as its name says: the nearest, whatever the rounding mode.
int SynthesisGenerator::typeOf(float selected) { return nearestStep(selected, kFilteredNoise, kNoSynthesis); }

int SynthesisGenerator::synthesisType() const { return typeOf(selectedValue()); }

void SynthesisGenerator::setSmoothingTime(int index, float ms) {
    if (SoundModule* module = owner(index))
        module->setSmoothingTime(index, ms);
}

void SynthesisGenerator::setSampleRate(float rate) {
    sampleRate_ = rate;
    forEachModule([rate](SoundModule& module) { module.setSampleRate(rate); });
}

void SynthesisGenerator::reset() {
    std::memset(buffers_, 0, sizeof buffers_);
    forEachModule([](SoundModule& module) { module.reset(); });
    playing_ = synthesisType();
    typeValue_ = std::numeric_limits<float>::quiet_NaN();
}

void SynthesisGenerator::startSources(int type) {
    if (type == kFilteredNoise) {
        for (NoiseModule* noise : {&noise1_, &noise2_}) {
            noise->restart();
            noise->reseed();
            noise->setVelocity(noteVelocity_);
        }
    } else if (type == kPhysicalModelling) {
        model_.restart();
        model_.reseed();
        model_.setVelocity(noteVelocity_);
    } else if (type == kPhaseDistortion) {
        fmRing_.restart();
        fmRing_.setVelocity(noteVelocity_);
    }
}

void SynthesisGenerator::smoothSources() {
    if (playing_ == kFilteredNoise) {
        noise1_.smoothParameters();
        noise2_.smoothParameters();
    } else if (playing_ == kPhysicalModelling) {
        model_.smoothParameters();
    } else if (playing_ == kPhaseDistortion) {
        fmRing_.smoothParameters();
    }
    sample_.smoothParameters();
    mix_.smoothParameters();
}

void SynthesisGenerator::startNote(float velocity) {
    noteVelocity_ = velocity;
    if (playing_ == kFilteredNoise) {
        noise1_.reseed();
        noise2_.reseed();
        noise1_.setVelocity(velocity);
        noise2_.setVelocity(velocity);
    } else if (playing_ == kPhysicalModelling) {
        model_.reseed();
        model_.setVelocity(velocity);
    } else if (playing_ == kPhaseDistortion) {
        fmRing_.setVelocity(velocity);
    }
    sample_.setVelocity(velocity);
}

void SynthesisGenerator::smoothParameters() {
    // The type is worked out again only when its value moves, which takes a
    // write and so a smoothing pass of its own module.
    type_.smoothParameters();
    if (typeAt_ != type_.valuesVersion()) {
        typeAt_ = type_.valuesVersion();
        followType();
    }
    // Sources that do not play skip their smoothing: a switch starts them at their values.
    smoothSources();
}

bool SynthesisGenerator::settled() const {
    bool sources = true;
    if (playing_ == kFilteredNoise)
        sources = noise1_.settled() && noise2_.settled();
    else if (playing_ == kPhysicalModelling)
        sources = model_.settled();
    else if (playing_ == kPhaseDistortion)
        sources = fmRing_.settled();
    return sources && sample_.settled() && type_.settled() && mix_.settled();
}

void SynthesisGenerator::followType() {
    const float selected = selectedValue();
    if (selected == typeValue_)
        return;
    typeValue_ = selected;
    const int type = typeOf(selected);
    if (type != playing_) {
        playing_ = type;
        startSources(type);
    }
}

bool SynthesisGenerator::renderOrHold(const float* envelope, const uint8_t* triggers, float* out, int n,
                                      HeldMix& held) {
    // The weights come from this block's mix, so a source that was just mixed in
    // already hears the note that starts in this block.
    if (mixAt_ != mix_.valuesVersion()) {
        mixAt_ = mix_.valuesVersion();
        const float m = mix_.value(GenMixSynthesisWav, ModuleParameter::kSmoothed);
        synthesisWeight_ = (1.0f - m) * (1.0f - m);
        sampleWeight_ = m * m;
    }
    // Asked once per block: it takes the block's step when it holds.
    float value;
    const bool sampleHolds = sample_.holds(triggers, sampleWeight_, n, value);
    if (playing_ == kNoSynthesis && sampleHolds) {
        held = mixHeld(value, n);
        return true;
    }
    renderSynthesis(envelope, triggers, n);
    float* sample = buffers_[kSampleBuffer];
    if (sampleHolds)
        std::fill(sample, sample + n, value);
    else
        sample_.play(envelope, triggers, sample, n);
    mix(out, n);
    return false;
}

// What mix gives for a sample part that holds one value and no synthesis: two
// values, by the sign of the anti-denormal constant. Most idle voices end here.
HeldMix SynthesisGenerator::mixHeld(float held, int n) {
    const float d = antiDenormal_;
    if (n & 1)
        antiDenormal_ = -antiDenormal_;
    return {mixed<0>(0.0f, 0.0f, held, 0.0f, sampleWeight_, d), mixed<0>(0.0f, 0.0f, held, 0.0f, sampleWeight_, -d)};
}

void SynthesisGenerator::renderSynthesis(const float* envelope, const uint8_t* triggers, int n) {
    if (playing_ == kFilteredNoise) {
        NoiseModule::renderPair(noise1_, noise2_, envelope, triggers, synthesisWeight_, buffers_[kPart1],
                                buffers_[kPart2], n);
    } else if (playing_ == kPhysicalModelling) {
        model_.render(envelope, triggers, synthesisWeight_, buffers_[kPart1], n);
    } else if (playing_ == kPhaseDistortion) {
        fmRing_.render(envelope, triggers, synthesisWeight_, buffers_[kPart1], n);
    }
}

void SynthesisGenerator::mix(float* out, int n) {
    const bool onePart = playing_ == kPhysicalModelling || playing_ == kPhaseDistortion;
    const int parts = playing_ == kFilteredNoise ? 2 : onePart ? 1 : 0;
    const float *part1 = buffers_[kPart1], *part2 = buffers_[kPart2], *sample = buffers_[kSampleBuffer];
    const float synthesis = synthesisWeight_, samples = sampleWeight_, d = antiDenormal_;
    dsp::runBlock(n, [&](int count) {
        if (parts == 2)
            mixBlock<2>(part1, part2, sample, out, synthesis, samples, d, count);
        else if (parts == 1)
            mixBlock<1>(part1, part2, sample, out, synthesis, samples, d, count);
        else
            mixBlock<0>(part1, part2, sample, out, synthesis, samples, d, count);
    });
    if (n & 1)
        antiDenormal_ = -antiDenormal_;
}

} // namespace trommik2
