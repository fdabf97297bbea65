#include "EffectMapping.h"

#include "params/ValueMapping.h"

namespace trommik2::fx {

namespace {

struct SyncStep {
    const char* name;
    double beats;
};

const SyncStep kSyncSteps[kSyncStepCount] = {
    {"2 Bars", 8.0},      {"1 Bar", 4.0}, {"1/2 Bar", 2.0},
    {"1/4 Dot.", 1.5},    {"1/4", 1.0},   {"1/4 Tripl.", 2.0 / 3.0},
    {"1/8 Dot.", 0.75},   {"1/8", 0.5},   {"1/8 Tripl.", 1.0 / 3.0},
    {"1/16 Dot.", 0.375}, {"1/16", 0.25}, {"1/16 Tripl.", 1.0 / 6.0},
    {"1/32", 0.125},
};

int clampStep(int step) { return step < 0 ? 0 : (step >= kSyncStepCount ? kSyncStepCount - 1 : step); }

} // namespace

// Step 12 (1 - x) rounded, a half toward the longer step ("1 Bar" at 0.875),
// as 12 less 12 x rounded up: exact in double precision, so that no rounding
// mode can move a float position across a step boundary (block processing
// renders with truncating rounding).
int syncStep(float x) { return 12 - nearestStep(12.0 * static_cast<double>(x), 0, kSyncStepCount - 1); }

double syncStepBeats(int step) { return kSyncSteps[clampStep(step)].beats; }

const char* syncStepName(int step) { return kSyncSteps[clampStep(step)].name; }

} // namespace trommik2::fx
