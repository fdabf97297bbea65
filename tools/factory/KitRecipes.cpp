#include "Recipes.h"

namespace trommik2 {

namespace {

// Where each role sits in the stereo picture, as a drummer hears the kit:
// hats to the right, toms from left to right, cymbals apart.
const float kRolePan[16] = {0.0f,  0.05f, -0.05f, 0.3f,  0.35f,  -0.35f, -0.35f, 0.0f,
                            0.35f, 0.1f,  0.4f,   -0.4f, -0.45f, 0.45f,  0.0f,   -0.1f};

// A kit in the standard layout: instrument names by role, with the kit's own
// level changes (dB) for the few that need them.
KitRecipe kit(const std::string& name, const std::array<std::string, 16>& instruments,
              const std::vector<std::pair<int, float>>& levelChanges = {}) {
    KitRecipe recipe{name, {}};
    for (int t = 0; t < 16; ++t)
        recipe.tracks[t] = {instruments[t], 0.0f, kRolePan[t]};
    for (const auto& [track, db] : levelChanges)
        recipe.tracks[track].levelOffsetDb = db;
    return recipe;
}

} // namespace

const std::vector<KitRecipe>& kitRecipes() {
    static const std::vector<KitRecipe> recipes = {
        // All-round, for house and pop grooves; the default setup plays it.
        kit("Studio", {"Kicks\\Punch", "Snares\\Crisp", "Claps\\Classic", "Hats\\Closed", "Hats\\Open", "Hats\\Shaker",
                       "Toms\\Low", "Toms\\Mid", "Toms\\High", "Snares\\Rimshot", "Cymbals\\Ride", "Cymbals\\Crash",
                       "Percussion\\Cowbell", "Percussion\\Clave", "Bass\\Pluck", "FX\\ReverseCrash"}),
        // Noise kicks and snares, synthesiser toms: the classic analogue machine.
        kit("Analog", {"Kicks\\Analog", "Snares\\Room", "Claps\\Tight", "Hats\\Tick", "Hats\\Sizzle", "Hats\\Pedal",
                       "Toms\\SynthLow", "Toms\\SynthMid", "Toms\\SynthHigh", "Snares\\Rimshot", "Cymbals\\Ride",
                       "Cymbals\\Crash", "Percussion\\Cowbell", "Percussion\\Clave", "Bass\\Sub", "FX\\Zap"}),
        // Long booming kick, metallic hats, zaps and blips.
        kit("Electro", {"Kicks\\Deep", "Snares\\Electro", "Claps\\Big", "Hats\\Metal", "Hats\\Sizzle", "Hats\\Tick",
                        "Toms\\SynthLow", "Toms\\SynthMid", "Toms\\SynthHigh", "FX\\Blip", "Cymbals\\RideBell",
                        "Cymbals\\Crash", "Percussion\\Cowbell", "Percussion\\Woodblock", "Bass\\Sub", "FX\\Zap"}),
        // Everything through the lo-fi effect, for hip-hop.
        kit("Dusty",
            {"Kicks\\Dusty", "Snares\\Dusty", "Claps\\Snap", "Hats\\Dusty", "Hats\\Open", "Hats\\Shaker", "Toms\\Low",
             "Toms\\Mid", "Toms\\High", "Snares\\Rimshot", "Cymbals\\Ride", "Cymbals\\Crash", "Percussion\\Bongo",
             "Percussion\\Tambourine", "Bass\\Sub", "FX\\DubRim"},
            {{kOpenHatTrack, -2.0f}}),
        // Distorted kick, big claps, a dub echo: techno.
        kit("Warehouse", {"Kicks\\Crushed", "Snares\\Fat", "Claps\\Big", "Hats\\Closed", "Hats\\Open", "Hats\\Tick",
                          "Toms\\SynthLow", "Toms\\SynthMid", "Toms\\SynthHigh", "FX\\DubRim", "Cymbals\\Ride",
                          "Cymbals\\Trash", "Percussion\\Woodblock", "Percussion\\Clave", "Bass\\Pluck", "FX\\Riser"}),
        // Hand percussion in the tom places, brushes, a soft kick.
        kit("Latin",
            {"Kicks\\Tight", "Snares\\Brush", "Claps\\Snap", "Hats\\Closed", "Hats\\Open", "Hats\\Shaker",
             "Percussion\\CongaLow", "Percussion\\CongaHigh", "Percussion\\Bongo", "Snares\\Rimshot", "Cymbals\\Ride",
             "Cymbals\\Crash", "Percussion\\Cowbell", "Percussion\\Clave", "Bass\\Sub", "Percussion\\Triangle"}),
        // A band in a room: fat snare, noise toms, crash and ride.
        kit("Rock", {"Kicks\\Analog", "Snares\\Fat", "Claps\\Tight", "Hats\\Closed", "Hats\\Open", "Hats\\Pedal",
                     "Toms\\Low", "Toms\\Mid", "Toms\\High", "Snares\\Rimshot", "Cymbals\\Ride", "Cymbals\\Crash",
                     "Percussion\\Tambourine", "Percussion\\Cowbell", "Bass\\Pluck", "FX\\ReverseSnare"}),
    };
    return recipes;
}

} // namespace trommik2
