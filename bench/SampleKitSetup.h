#pragma once

namespace trommik2 {

class DrumMachine;

// A kit as importing a folder of samples makes it: sixteen tracks of the import
// template (the sample alone, its envelope open for seconds), each playing the
// stress setup's sample on its own sixteenth of a one-bar pattern. Most of the
// time most tracks have played their sample to the end: the case of idle tracks.
class SampleKitSetup {
  public:
    // Applies the setup to a freshly constructed machine. User-interface thread,
    // while the machine is not rendering. False when the sample could not be written or read.
    static bool apply(DrumMachine& machine);
};

} // namespace trommik2
