#include "SynthesisGenerator.h"

#include <cstring>
#include <thread>

#include "Dsp.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

constexpr int kPart1 = 0;
constexpr int kPart2 = 1;
constexpr int kSampleBuffer = 2;

} // namespace

// Held while a caller reads or writes a synthesis module by index; a switch of
// the synthesis type does not replace modules while any is held.
class SynthesisGenerator::ModuleAccess {
  public:
    explicit ModuleAccess(const SynthesisGenerator& generator) : generator_(generator) {
        for (;;) {
            generator_.accessors_.fetch_add(1);
            if (!generator_.switching_.load())
                return;
            generator_.accessors_.fetch_sub(1);
            while (generator_.switching_.load())
                std::this_thread::yield();
        }
    }
    ~ModuleAccess() { generator_.accessors_.fetch_sub(1); }
    ModuleAccess(const ModuleAccess&) = delete;
    ModuleAccess& operator=(const ModuleAccess&) = delete;

  private:
    const SynthesisGenerator& generator_;
};

SynthesisGenerator::SynthesisGenerator(const float* smoothingMs, float sampleRate)
    : smoothingMs_(smoothingMs), sampleRate_(sampleRate), antiDenormal_(dsp::kAntiDenormal),
      null_("Null Module", GenSynthesisType, 1), mix_("Global", GenMixSynthesisWav, 1) {
    configure(sample_);
    configure(null_);
    configure(mix_);
}

void SynthesisGenerator::configure(SoundModule& module) {
    module.setSampleRate(sampleRate_);
    for (int i = module.firstIndex(); i < module.firstIndex() + module.count(); ++i)
        module.setSmoothingTime(i, smoothingMs_[i]);
    module.reset();
}

SoundModule* SynthesisGenerator::owner(int index) const {
    if (index >= GenNoiseFreq1 && index <= GenNoiseLevel1)
        return noise1_.get();
    if (index >= GenNoiseFreq2 && index <= GenNoiseLevel2)
        return noise2_.get();
    if (index >= GenPMSize && index <= GenPMVolume)
        return model_.get();
    if (index >= GenFMRingTune1 && index <= GenFMRingVol2)
        return fmRing_.get();
    if (index >= GenWavTune && index <= GenWavLevel)
        return const_cast<SampleModule*>(&sample_);
    if (index == GenMixSynthesisWav)
        return const_cast<SoundModule*>(&mix_);
    if (index == GenNullDummy)
        return const_cast<SoundModule*>(&null_);
    return nullptr;
}

void SynthesisGenerator::setValue(int index, float value, int slot) {
    if (index == GenSynthesisType) {
        setSynthesisType(value);
        return;
    }
    if (index == GenNullDummy)
        return;
    ModuleAccess access(*this);
    if (SoundModule* module = owner(index))
        module->setValue(index, value, slot);
}

float SynthesisGenerator::value(int index, int slot) const {
    if (index == GenSynthesisType)
        return static_cast<float>(type_);
    ModuleAccess access(*this);
    const SoundModule* module = owner(index);
    return module ? module->value(index, slot) : 0.0f;
}

void SynthesisGenerator::setSmoothingTime(int index, float ms) {
    if (SoundModule* module = owner(index))
        module->setSmoothingTime(index, ms);
}

void SynthesisGenerator::setSampleRate(float rate) {
    sampleRate_ = rate;
    forEachModule([rate](SoundModule& module) { module.setSampleRate(rate); });
}

void SynthesisGenerator::setSynthesisType(float value) {
    int type = dsp::roundInt(value);
    if (type == type_) {
        pendingType_ = kNoPendingType;
        return;
    }
    switching_.store(true);
    bool replaced = replaceModules(type);
    switching_.store(false);
    pendingType_ = replaced ? kNoPendingType : type;
    if (replaced)
        reset();
}

bool SynthesisGenerator::replaceModules(int type) {
    if (accessors_.load() != 0)
        return false;
    bool noise = type == kFilteredNoise;
    bool fm = type == kPhaseDistortion;
    bool model = type == kPhysicalModelling;
    if (!noise) {
        noise1_.reset();
        noise2_.reset();
    } else if (!noise1_) {
        noise1_ = std::make_unique<NoiseModule>("Noise Module 1", GenNoiseFreq1);
        noise2_ = std::make_unique<NoiseModule>("Noise Module 2", GenNoiseFreq2);
        configure(*noise1_);
        configure(*noise2_);
    }
    if (!fm) {
        fmRing_.reset();
    } else if (!fmRing_) {
        fmRing_ = std::make_unique<FmRingModule>();
        configure(*fmRing_);
    }
    if (!model) {
        model_.reset();
    } else if (!model_) {
        model_ = std::make_unique<PhysicalModelModule>();
        configure(*model_);
    }
    type_ = type;
    return true;
}

void SynthesisGenerator::reset() {
    std::memset(buffers_, 0, sizeof buffers_);
    forEachModule([](SoundModule& module) { module.reset(); });
}

void SynthesisGenerator::startNote(float velocity) {
    if (noise1_) {
        noise1_->reseed();
        noise2_->reseed();
        noise1_->setVelocity(velocity);
        noise2_->setVelocity(velocity);
    }
    if (model_) {
        model_->reseed();
        model_->setVelocity(velocity);
    }
    if (fmRing_)
        fmRing_->setVelocity(velocity);
    sample_.setVelocity(velocity);
}

void SynthesisGenerator::smoothParameters() {
    if (pendingType_ != kNoPendingType)
        setSynthesisType(static_cast<float>(pendingType_));
    forEachModule([](SoundModule& module) { module.smoothParameters(); });
}

void SynthesisGenerator::render(const float* envelope, const uint8_t* triggers, float* out, int n) {
    // The weights come from this block's mix, so a source that was just mixed in
    // already hears the note that starts in this block.
    float m = mix_.value(GenMixSynthesisWav, ModuleParameter::kSmoothed);
    synthesisWeight_ = (1.0f - m) * (1.0f - m);
    sampleWeight_ = m * m;
    renderSources(envelope, triggers, n);
    mix(out, n);
}

void SynthesisGenerator::renderSources(const float* envelope, const uint8_t* triggers, int n) {
    if (noise1_) {
        noise1_->render(envelope, triggers, synthesisWeight_, buffers_[kPart1], n);
        noise2_->render(envelope, triggers, synthesisWeight_, buffers_[kPart2], n);
    } else {
        if (model_)
            model_->render(envelope, triggers, synthesisWeight_, buffers_[kPart1], n);
        else if (fmRing_)
            fmRing_->render(envelope, triggers, synthesisWeight_, buffers_[kPart1], n);
        else
            std::memset(buffers_[kPart1], 0, sizeof buffers_[kPart1]);
        std::memset(buffers_[kPart2], 0, sizeof buffers_[kPart2]);
    }
    sample_.render(envelope, triggers, sampleWeight_, buffers_[kSampleBuffer], n);
}

void SynthesisGenerator::mix(float* out, int n) {
    const float* part1 = buffers_[kPart1];
    const float* part2 = buffers_[kPart2];
    const float* sample = buffers_[kSampleBuffer];
    float d = antiDenormal_;
    for (int i = 0; i < n; ++i) {
        out[i] = (part1[i] + part2[i]) * synthesisWeight_ + sample[i] * sampleWeight_ + d;
        d = -d;
    }
    antiDenormal_ = d;
}

} // namespace trommik2
