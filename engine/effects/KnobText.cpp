#include "KnobText.h"

#include <cmath>
#include <cstdio>

#include "EffectMapping.h"

namespace trommik2::fx {

void showKilo(double hz, double, char* out, std::size_t capacity) {
    double k = hz / 1000.0;
    std::snprintf(out, capacity, k >= 9.99 ? "%.1fk" : "%.2fk", k);
}

void showHertz(double hz, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, hz >= 9.99 ? "%.1fHz" : "%.2fHz", hz);
}

void showDelayTime(double ms, double, char* out, std::size_t capacity) {
    if (ms < 1.0)
        std::snprintf(out, capacity, "%.1fms", ms);
    else if (ms < 1000.0)
        std::snprintf(out, capacity, "%.0fms", ms);
    else
        std::snprintf(out, capacity, "%.2fs", ms / 1000.0);
}

// The step whose beats these are (the steps are not ordered by length).
void showSyncStep(double beats, double, char* out, std::size_t capacity) {
    int step = 0;
    for (int k = 1; k < kSyncStepCount; ++k)
        if (std::fabs(syncStepBeats(k) - beats) < std::fabs(syncStepBeats(step) - beats))
            step = k;
    std::snprintf(out, capacity, "%s", syncStepName(step));
}

} // namespace trommik2::fx
