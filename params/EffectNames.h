#pragma once

namespace trommik2 {

// The effect types by their FXType value, which documents keep, and the number
// of knobs every effect has. What each type is (its names, knobs and the effect
// itself) is defined once in the engine (engine/effects/EffectRegistry.h).
constexpr int kEffectTypeCount = 14;
constexpr int kEffectParameterCount = 4;

enum EffectType : int {
    kMonoDelaySync = 0,
    kMonoDelayMs = 1,
    kStereoDelaySync = 2,
    kStereoDelayMs = 3,
    kChorus = 4,
    kFlanger = 5,
    kPhaser = 6,
    kRoomReverb = 7,
    kHallReverb = 8,
    kLoFi = 9,
    kDistortion = 10,
    kAnalogueFilter12 = 11,
    kAnalogueFilter24 = 12,
    kVintageCompressor = 13,
};

} // namespace trommik2
