#pragma once

#include <string>

namespace trommik2 {

class DrumMachine;

// The heaviest setup we know how to build without documents: all sixteen tracks
// busy (even tracks hit on every thirty-second step, odd ones on every
// sixteenth), the three synthesis types and the sample player mixed, an effect
// switched on in every track (all fourteen types, both reverbs among them), the
// filter on everywhere, and step automation on several parameters of every track.
// Used by the benchmark, the golden-output check and the real-time tests.
class StressSetup {
  public:
    static constexpr int kSampleFrames = 13230; // 0.3 s at 44100 Hz

    // Writes the setup's sample: a short mono 16-bit WAV file (a falling,
    // decaying tone with a noise click), always the same bytes.
    static bool writeSample(const std::string& path);
    // Loads that sample into every track through the WAV loader, by way of a
    // temporary file. User-interface thread, while the machine is not rendering.
    static bool loadSampleEverywhere(DrumMachine& machine);
    // Applies the setup to a freshly constructed machine, loading the sample from
    // a temporary file through the WAV loader. User-interface thread, while the
    // machine is not rendering. False when the sample could not be written or read.
    static bool apply(DrumMachine& machine);
};

} // namespace trommik2
