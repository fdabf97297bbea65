#include "AutomationRange.h"

#include <algorithm>
#include <cmath>

namespace trommik2 {

namespace {

// As playback clamps: into lo..hi, NaN to lo.
float clamped(float x, float lo, float hi) { return x > lo ? (x < hi ? x : hi) : lo; }

} // namespace

AutomationRange AutomationRange::of(const TrackPattern& pattern, int parameter, float automationMinimum,
                                    float automationMaximum, int playedSlots) {
    const float scale = pattern.automationScale(parameter);
    const int slots = std::clamp(playedSlots, 0, TrackPattern::kSlotCount);
    if (!pattern.hasAutomation(parameter) || !(scale > 0.0f) || slots == 0)
        return {};
    float lowest = pattern.automationValue(parameter, 0);
    float highest = lowest;
    for (int slot = 1; slot < slots; ++slot) {
        const float point = pattern.automationValue(parameter, slot);
        lowest = std::min(lowest, point);
        highest = std::max(highest, point);
    }
    const float spread = (automationMaximum - automationMinimum) * std::fabs(pattern.automationRandom(parameter));
    return {true, clamped((lowest - spread) * scale, automationMinimum, automationMaximum),
            clamped((highest + spread) * scale, automationMinimum, automationMaximum)};
}

} // namespace trommik2
