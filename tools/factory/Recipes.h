#pragma once

#include <array>
#include <string>
#include <vector>

#include "params/ParameterIndex.h"

namespace trommik2 {

// The factory library as data: every instrument, kit, pattern and setup that
// the generator writes. Names are document names (relative to their kind's
// folder, '\\' between folders, no extension).

struct Setting {
    int index;
    float value;
};

// An instrument: its changes from the neutral instrument (every parameter at
// its table default, no synthesis) and the sample it plays.
struct InstrumentRecipe {
    std::string name;
    std::vector<Setting> settings;
    // Below the samples folder, with extension; empty for none.
    std::string sample = "";
};

// A sample the generator renders from a synthesised sound of its own: one hit
// at full velocity, cut where it has died away.
struct SampleRecipe {
    // Below the samples folder, with extension.
    std::string name;
    // The sound, as an instrument's settings (without a sample).
    std::vector<Setting> source;
    float seconds;
};

// A kit track: an instrument with the kit's own level change and pan for it.
struct KitTrack {
    std::string instrument;
    float levelOffsetDb = 0.0f;
    float pan = 0.0f;
};

struct KitRecipe {
    std::string name;
    std::array<KitTrack, 16> tracks;
};

// One track's hits: one character per grid step ('.' none, '1'..'9' the
// velocity in ninths of full); the length over the bars gives the grid (8, 16
// or 32 steps per bar). '|' between bars only helps reading.
struct LaneRecipe {
    int track;
    std::string steps;
    // Spread of the velocities, 0..1 of full velocity.
    float velocityRandom = 0.0f;
};

// Values of one parameter that hold from each point to the next (wrapping
// round the pattern): playback applies automation on every slot, so every
// slot gets one. Points are 16th-note steps in order; each value arrives a
// 32nd note before its step so that smoothing has settled when the hit
// sounds, or on the step itself when the step before has a point (whose note
// it would bend otherwise).
struct AutomationRecipe {
    int track;
    int parameter;
    std::vector<std::pair<int, float>> points;
};

struct PatternRecipe {
    std::string name;
    int bars;
    int shuffle;
    std::vector<LaneRecipe> lanes;
    std::vector<AutomationRecipe> automation = {};
};

struct SetupRecipe {
    std::string name;
    std::string kit;
    std::string pattern;
    // Master volume as setups store it: 0 is the factory gain.
    float volumeDb = 0.0f;
};

// The standard track layout every kit follows, so that any pattern plays with any kit.
enum KitTrackRole : int {
    kKickTrack,
    kSnareTrack,
    kClapTrack,
    kClosedHatTrack,
    kOpenHatTrack,
    kShakerTrack,
    kLowTomTrack,
    kMidTomTrack,
    kHighTomTrack,
    kRimTrack,
    kRideTrack,
    kCrashTrack,
    kPercussionTrack,
    kPercussion2Track,
    kBassTrack,
    kEffectTrack,
};

// The templates the content library starts instruments from: a neutral one,
// the factory default, and a player for imported samples.
const InstrumentRecipe& emptyTemplate();
const InstrumentRecipe& defaultTemplate();
const InstrumentRecipe& autoImportTemplate();

const std::vector<InstrumentRecipe>& instrumentRecipes();
const std::vector<SampleRecipe>& sampleRecipes();
const std::vector<KitRecipe>& kitRecipes();
const std::vector<PatternRecipe>& patternRecipes();
const std::vector<SetupRecipe>& setupRecipes();

// The recipe of that name, or null.
const InstrumentRecipe* findInstrument(const std::string& name);

} // namespace trommik2
