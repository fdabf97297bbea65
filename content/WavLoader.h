#pragma once

#include <string>

#include <mmio.h>

namespace trommik2 {

class SampleModule;

// Reads RIFF WAVE files into a sample player as mono floats: the data are taken
// as signed 16-bit words whatever the format says, two channels are averaged.
// Failures are shown in a stop message box; callers learn only the result.
// User-interface thread; callers whose player may be rendering hold the process lock.
class WavLoader {
  public:
    // Replaces the player's sample with the file's data. True when the data
    // chunk was found (an empty one keeps the previous sample).
    static bool loadSample(const std::string& path, SampleModule& player);
    // The same from an open stream (a file or memory), read from its start; path
    // only names it in messages. The stream stays open.
    static bool loadSample(HMMIO stream, const std::string& path, SampleModule& player);
    // Frees the player's sample; it falls silent.
    static void unloadSample(SampleModule& player);
};

} // namespace trommik2
