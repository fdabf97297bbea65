#include "EffectRegistry.h"

#include <iterator>

#include "AnalogueFilter.h"
#include "Distortion.h"
#include "FdnReverb.h"
#include "LoFi.h"
#include "ModulatedDelay.h"
#include "MonoDelay.h"
#include "Phaser.h"
#include "StereoDelay.h"
#include "VintageCompressor.h"

namespace trommik2 {

namespace {

// By FXType value, which documents keep: new types go at the end.
const EffectDefinition* const kDefinitions[] = {
    &MonoDelay::kSyncedDefinition,
    &MonoDelay::kMillisecondsDefinition,
    &StereoDelay::kSyncedDefinition,
    &StereoDelay::kMillisecondsDefinition,
    &ModulatedDelay::kChorusDefinition,
    &ModulatedDelay::kFlangerDefinition,
    &Phaser::kDefinition,
    &FdnReverb::kRoomDefinition,
    &FdnReverb::kHallDefinition,
    &LoFi::kDefinition,
    &Distortion::kDefinition,
    &AnalogueFilter::k12dBDefinition,
    &AnalogueFilter::k24dBDefinition,
    &VintageCompressor::kDefinition,
};
static_assert(std::size(kDefinitions) == kEffectTypeCount);

} // namespace

const EffectDefinition& effectDefinition(int type) {
    return *kDefinitions[type >= 0 && type < kEffectTypeCount ? type : 0];
}

} // namespace trommik2
