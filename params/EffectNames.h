#pragma once

namespace trommik2 {

// The names of the fourteen effect types and of their four parameters, and the
// note values of the tempo-synchronised delays. Constant data: any thread.
constexpr int kEffectTypeCount = 14;
constexpr int kEffectParameterCount = 4;
constexpr int kSyncStepCount = 13;

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

// "Mono Delay (Tempo Sync)" ...; "no fx" for a type outside 0..13.
const char* effectLongName(int type);
// "Mono Delay (Sync)" ...; "no fx" for a type outside 0..13.
const char* effectShortName(int type);
// The knob label of parameter p (0..3) of a type: "Time", "Feed", ...; without a
// valid type "par1", "par2", "par3", "mix"; empty for p outside 0..3.
const char* effectParameterName(int type, int p);
// The tooltip of parameter p of a type; the knob label where the type has no
// longer description; the same fallbacks as effectParameterName.
const char* effectParameterDescription(int type, int p);

// Synchronised delay steps 0..12, from "2 Bars" (8 beats) to "1/32" (1/8 beat);
// a step outside 0..12 is taken as the nearest end.
// The step of a Time knob at x (0..1): x = 1 is the longest, "2 Bars".
int syncStep(float x);
const char* syncStepName(int step);
double syncStepBeats(int step);

} // namespace trommik2
