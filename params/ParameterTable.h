#pragma once

#include <cstdint>
#include <vector>

#include "ModuleGroup.h"
#include "NoteNameTable.h"
#include "ParameterDescriptor.h"
#include "ParameterIndex.h"

namespace trommik2 {

// The description of the 59 instrument parameters, their ten module groups and
// the note names. Built once, read-only afterwards, so any thread may read it.
class ParameterTable {
  public:
    static constexpr int kGroupCount = 10;

    ParameterTable();

    void registerParameter(int index, const char* key, float min, float max, float defaultValue, float curveMid,
                           int32_t automationMin, int32_t automationMax, int32_t knobSteps, int32_t knobFineSteps,
                           int32_t automationSteps, int32_t automationFineSteps, float smoothingMs, int group,
                           const char* shortName, const char* longName);

    const ParameterDescriptor& descriptor(int index) const { return descriptors_[valid(index)]; }
    const char* key(int index) const { return descriptor(index).key; }
    const char* shortName(int index) const { return descriptor(index).shortName; }
    const char* longName(int index) const { return descriptor(index).longName; }
    const char* groupName(int group) const;
    const char* groupDescription(int group) const;
    const std::vector<int>& groupMembers(int group) const;
    // The group a parameter was registered in.
    int groupOf(int index) const { return groupOf_[valid(index)]; }
    const char* noteName(int note) const { return notes_.name(note); }
    // The index whose key equals key exactly, or -1.
    int indexOfKey(const char* key) const;

    // Normalised 0..1 position to value and back, over minimum..maximum.
    float toValue(int index, float x) const;
    float toNormalized(int index, float value) const;
    // The same over the automation range.
    float automationToValue(int index, float x) const;
    float automationToNormalized(int index, float value) const;
    // Clamps a value into minimum..maximum.
    float clampToRange(int index, float value) const;

  private:
    static int valid(int index) { return index >= 0 && index < kParameterCount ? index : 0; }
    void registerAll();

    ParameterDescriptor descriptors_[kParameterCount];
    int groupOf_[kParameterCount] = {};
    ModuleGroup groups_[kGroupCount];
    NoteNameTable notes_;
};

} // namespace trommik2
