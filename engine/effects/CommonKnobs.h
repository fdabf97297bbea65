#pragma once

#include "EffectMapping.h"
#include "KnobText.h"
#include "params/EffectDescription.h"

// Knobs that several effects share, as constant data for their definitions.
namespace trommik2::fx {

// The wet/dry balance; each effect derives its own gains from the position.
constexpr EffectKnob kMixKnob = {"Mix", nullptr, nullptr, nullptr};

constexpr EffectKnob syncedTimeKnob(const char* name, const char* description) {
    return {name, description, syncedBeats, showSyncStep};
}

constexpr EffectKnob millisecondTimeKnob(const char* name, const char* description) {
    return {name, description, delayMilliseconds, showDelayTime};
}

constexpr EffectKnob dampingKnob(const char* name, const char* description) {
    return {name, description, dampingFrequency, showKilo};
}

} // namespace trommik2::fx
