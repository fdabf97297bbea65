#pragma once

#include "SlotMask.h"
#include "StepSlot.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

// One track of the pattern: 128 step slots with velocities and automation
// values, the masks that say which slots hold steps and points, and the
// track's scaling and randomisation. The user-interface thread edits it
// without a lock while the audio thread plays it; every index is checked, so
// no edit can make either side leave the arrays.
class TrackPattern {
  public:
    static constexpr int kSlotCount = SlotMask::kSlotCount;

    TrackPattern();

    // Writes the velocity; the slot holds a step exactly when it is 1 or more.
    // Out-of-range slots are ignored. Any thread that edits the pattern.
    void setStep(int slot, int velocity);
    void clearStep(int slot) { setStep(slot, 0); }
    // Writes the automation value; the slot holds a point exactly when the value
    // differs from 0, which is also what documents and the clipboard restore.
    void setAutomationPoint(int parameter, int slot, float value);
    void clearAutomationPoint(int parameter, int slot) { setAutomationPoint(parameter, slot, 0.0f); }
    // Per-parameter factor (0 switches the parameter's automation off) and spread.
    void setAutomationScale(int parameter, float scale);
    void setAutomationRandom(int parameter, float amount);
    void setVelocityRandom(float amount) { velocityRandom_ = amount; }
    // Empties the track as a document reader needs it: steps, points, played
    // flags and masks cleared, scales 1, random amounts 0; positions are kept.
    void clear();

    // Reads; out-of-range indices read as empty.
    int velocity(int slot) const { return validSlot(slot) ? steps_[slot].velocity.load() : 0; }
    float automationValue(int parameter, int slot) const;
    float automationScale(int parameter) const { return validParameter(parameter) ? scale_[parameter].load() : 0.0f; }
    float automationRandom(int parameter) const { return validParameter(parameter) ? random_[parameter].load() : 0.0f; }
    float velocityRandom() const { return velocityRandom_; }
    int position(int slot) const { return validSlot(slot) ? steps_[slot].position.load() : 0; }
    bool played(int slot) const { return validSlot(slot) && steps_[slot].played != 0; }
    const SlotMask& stepMask() const { return stepMask_; }
    // The mask of an out-of-range parameter is an empty one.
    const SlotMask& automationMask(int parameter) const;
    bool hasSteps() const { return stepMask_.any(); }
    bool hasAutomation(int parameter) const { return automationMask(parameter).any(); }
    bool hasAnyAutomation() const;

  private:
    friend class Sequencer;

    static bool validSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
    static bool validParameter(int p) { return p >= 0 && p < kParameterCount; }

    StepSlot steps_[kSlotCount];
    // Per slot one automation value per instrument parameter, in the parameter's units.
    Relaxed<float> automation_[kSlotCount][kParameterCount];
    SlotMask stepMask_;
    SlotMask automationMasks_[kParameterCount];
    Relaxed<float> scale_[kParameterCount];
    Relaxed<float> random_[kParameterCount];
    Relaxed<float> velocityRandom_ = 0.0f;
};

} // namespace trommik2
