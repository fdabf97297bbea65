#pragma once

#include "TrackPattern.h"

namespace trommik2 {

// The values a track's automation of one parameter can apply while its pattern
// plays, so that what they need (an effect type, an effect's buffers) can be
// prepared before the audio thread meets them. Mirrors playback: every played
// slot applies its point, 0 where it has none; the track's random spread widens
// each point by up to the automation range times the spread, both sides; the
// scale multiplies; the result is clamped to the automation range.
struct AutomationRange {
    // False when the pattern leaves the parameter alone (no points, or scale 0).
    bool automated = false;
    float low = 0.0f;
    float high = 0.0f;

    // playedSlots: the slots the pattern plays (bars x 32, at most 128), so the
    // range holds until the bar count changes. Any thread that edits the pattern.
    static AutomationRange of(const TrackPattern& pattern, int parameter, float automationMinimum,
                              float automationMaximum, int playedSlots);
};

} // namespace trommik2
