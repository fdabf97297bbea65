#include "Recipes.h"

namespace trommik2 {

// Kits with the grooves they were made for. Master volumes lift the quieter
// ones towards the others, within the headroom the report shows.
const std::vector<SetupRecipe>& setupRecipes() {
    static const std::vector<SetupRecipe> recipes = {
        // What the module loads at start-up.
        {"default", "Studio", "House\\Groove"},
        // Distorted four to the floor with opening hats.
        {"TechnoWarehouse", "Warehouse", "Techno\\Driving", 1},
        // Swung and dusty, with a bass line under the kick.
        {"BoomBap", "Dusty", "HipHop\\BoomBap"},
        // Syncopated booms, zaps and a bass line.
        {"ElectroFunk", "Electro", "Electro\\Funk"},
        // Brushes, rim clave and congas.
        {"BossaLounge", "Latin", "Bossa\\Nova", 2},
        // A bar of groove and a bar with a tom fill.
        {"RockRoom", "Rock", "Rock\\Fill", 1.5f},
        // Snare on three, hat rolls, a long bass under the kick.
        {"HalfTimeHeavy", "Electro", "HalfTime\\Heavy"},
    };
    return recipes;
}

} // namespace trommik2
