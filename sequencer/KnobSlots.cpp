#include "KnobSlots.h"

#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

constexpr int kCommonSlots[KnobSlots::kSlotCount] = {
    GenNoiseShapeAmpEnv1, GenNoiseLevel1, FilterFreq, FilterQ,  EnvDecay,
    OutLevelDB,           FXParam1,       FXParam2,   FXParam3, FXParam4,
};

constexpr int kVoicedTrackCount = 5;
constexpr int kVoicedSlotCount = 6;

// Tracks 0..4, slots 0..5: kick, snare, hat, cymbal and FM voice.
constexpr int kVoicedSlots[kVoicedTrackCount][kVoicedSlotCount] = {
    {GenNoiseLevel1, GenNoiseLevel2, FilterFreq, FilterDriveDB, EnvDecay, OutLevelDB},
    {GenNoiseShapePitchEnv1, GenNoiseShapePitchEnv2, FilterFreq, FilterQ, EnvDecay, OutLevelDB},
    {GenPMExciterFreq, EnvDecay, GenPMDamping, FilterFreq, OutLevelDB, OutPan},
    {GenPMEnvShapePitch, GenPMSize, EnvDecay, GenPMDamping, OutLevelDB, OutPan},
    {GenFMRingTune1, GenFMRingTune2, GenFMRingXModAmt, EnvDecay, OutLevelDB, OutPan},
};

} // namespace

void KnobSlots::setDefaults() {
    for (int t = 0; t < kTrackCount; ++t)
        for (int s = 0; s < kSlotCount; ++s)
            parameters_[t][s] = kCommonSlots[s];
    for (int t = 0; t < kVoicedTrackCount; ++t)
        for (int s = 0; s < kVoicedSlotCount; ++s)
            parameters_[t][s] = kVoicedSlots[t][s];
}

void KnobSlots::set(int track, int slot, int parameter) {
    if (valid(track, slot))
        parameters_[track][slot] = parameter;
}

int KnobSlots::parameter(int track, int slot) const { return valid(track, slot) ? parameters_[track][slot] : -1; }

} // namespace trommik2
