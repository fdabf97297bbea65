#include "SoundModule.h"

namespace trommik2 {

SoundModule::SoundModule(const char* name, int firstIndex, int count)
    : name_(name), firstIndex_(firstIndex), parameters_(static_cast<size_t>(count)) {}

void SoundModule::setFirstIndex(int index) { firstIndex_ = index; }

int SoundModule::firstIndex() const { return firstIndex_; }

void SoundModule::setSmoothingTime(int index, float ms) {
    if (owns(index))
        parameters_[index - firstIndex_].setSmoothingTime(ms);
}

void SoundModule::setValue(int index, float value, int slot) {
    if (owns(index) && slot >= 0 && slot < 4) {
        parameters_[index - firstIndex_].slot[slot] = value;
        changed_.raise();
    }
}

void SoundModule::setOffset(int index, float value) { setValue(index, value, ModuleParameter::kOffset); }

void SoundModule::setSampleRate(float rate) {
    sampleRate_ = rate;
    twoOverSampleRate_ = 2.0f / rate;
    ++valuesVersion_;
    for (ModuleParameter& p : parameters_)
        p.setSampleRate(rate);
}

void SoundModule::setVelocity(float velocity) { velocity_ = velocity; }

float SoundModule::velocity() const { return velocity_; }

void SoundModule::reset() {
    for (ModuleParameter& p : parameters_)
        p.reset();
    ++valuesVersion_;
    changed_.raise();
    resetPending_ = true;
}

// A pass over parameters that all sit at their targets, with nothing written
// since, changes nothing: most blocks of a voice skip it.
void SoundModule::smoothParameters() {
    if (!changed_.take() && settled_)
        return;
    bool moved = false;
    for (ModuleParameter& p : parameters_)
        moved = p.smooth() || moved;
    settled_ = !moved;
    ++valuesVersion_;
}

void SoundModule::restart() {
    constexpr size_t kMostParameters = 16;
    float offsets[kMostParameters] = {};
    const size_t count = parameters_.size() < kMostParameters ? parameters_.size() : kMostParameters;
    for (size_t i = 0; i < count; ++i)
        offsets[i] = parameters_[i].slot[ModuleParameter::kOffset];
    reset();
    for (size_t i = 0; i < count; ++i) {
        ModuleParameter& p = parameters_[i];
        p.slot[ModuleParameter::kOffset] = offsets[i];
        p.snap();
    }
}

void SoundModule::setDefault(int index, float value) {
    if (!owns(index))
        return;
    ModuleParameter& p = parameters_[index - firstIndex_];
    p.slot[ModuleParameter::kBase] = value;
    p.reset();
    ++valuesVersion_;
    changed_.raise();
}

} // namespace trommik2
