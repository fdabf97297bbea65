#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Recipes.h"
#include "core/DrumMachine.h"

namespace trommik2 {

// A drum machine in the generator's hands: recipes go into it through the same
// entries the documents use, and it renders as a host would (120 BPM, 44100 Hz).
class LibraryMachine {
  public:
    static constexpr int kRate = 44100;

    // root: the folder that holds (or will hold) the Trommik2 content tree.
    explicit LibraryMachine(const std::string& root);

    DrumMachine& machine() { return *machine_; }
    // The file of a document name of a kind ("Kicks\\Deep" of the instruments).
    std::string documentPath(const std::string& name, int kind) const;

    // Gives the track the recipe's instrument, named after it, with knob slots
    // that suit its synthesis type; false when its sample does not load.
    bool applyInstrument(int track, const InstrumentRecipe& recipe);
    // The kit's instruments on all sixteen tracks; false when one is missing.
    bool applyKit(const KitRecipe& kit);
    // Replaces the whole pattern.
    void applyPattern(const PatternRecipe& pattern);

    // One hit of a track with nothing else playing, from a silent start (the
    // pattern is emptied); the master section's left and right outputs interleaved.
    std::vector<float> renderHit(int track, float velocity, int frames);
    // Plays the pattern from its start.
    std::vector<float> renderPattern(int frames);

  private:
    std::vector<float> render(int frames);
    void silenceAll();

    std::unique_ptr<DrumMachine> machine_;
};

} // namespace trommik2
