#include "TrackPattern.h"

namespace trommik2 {

namespace {

const SlotMask kEmptyMask;

} // namespace

TrackPattern::TrackPattern() { clear(); }

void TrackPattern::setStep(int slot, int velocity) {
    if (!validSlot(slot))
        return;
    steps_[slot].velocity = velocity;
    stepMask_.set(slot, velocity >= 1);
}

void TrackPattern::setAutomationPoint(int parameter, int slot, float value) {
    if (!validParameter(parameter) || !validSlot(slot))
        return;
    automation_[slot][parameter] = value;
    automationMasks_[parameter].set(slot, value != 0.0f);
}

void TrackPattern::setAutomationScale(int parameter, float scale) {
    if (validParameter(parameter))
        scale_[parameter] = scale;
}

void TrackPattern::setAutomationRandom(int parameter, float amount) {
    if (validParameter(parameter))
        random_[parameter] = amount;
}

void TrackPattern::clear() {
    // Field by field: the audio thread may be reading the positions meanwhile.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        steps_[slot].velocity = 0;
        steps_[slot].played = 0;
        for (Relaxed<float>& v : automation_[slot])
            v = 0.0f;
    }
    stepMask_.clear();
    for (int p = 0; p < kParameterCount; ++p) {
        automationMasks_[p].clear();
        scale_[p] = 1.0f;
        random_[p] = 0.0f;
    }
    velocityRandom_ = 0.0f;
}

float TrackPattern::automationValue(int parameter, int slot) const {
    return validParameter(parameter) && validSlot(slot) ? automation_[slot][parameter].load() : 0.0f;
}

const SlotMask& TrackPattern::automationMask(int parameter) const {
    return validParameter(parameter) ? automationMasks_[parameter] : kEmptyMask;
}

bool TrackPattern::hasAnyAutomation() const {
    for (const SlotMask& m : automationMasks_)
        if (m.any())
            return true;
    return false;
}

} // namespace trommik2
