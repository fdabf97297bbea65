#pragma once

#include <memory>
#include <string>

#include <mmio.h>

namespace trommik2 {

class SampleModule;

// Reads RIFF WAVE files into a sample player as mono floats: the data are taken
// as signed 16-bit words whatever the format says, two channels are averaged.
// Failures are shown in a stop message box; callers learn only the result.
// Reading and installing are separate steps so that the disk is read before
// the process lock is taken: the audio thread never waits for the disk.
class WavLoader {
  public:
    // A file read into memory, not yet handed to a player.
    struct Decoded {
        // The load's result: true when the data chunk was found.
        bool found = false;
        // The mono frames plus the zero tail; null when there is nothing to install.
        std::unique_ptr<float[]> samples;
        int frames = 0;
        // Memory ran out: the player is to be left without a sample.
        bool clearPlayer = false;
    };

    // User-interface thread, without the process lock: reads and converts the
    // file, showing a message on failure.
    static Decoded read(const std::string& path);
    // The same from an open stream (a file or memory), read from its start; path
    // only names it in messages. The stream stays open.
    static Decoded read(HMMIO stream, const std::string& path);
    // User-interface thread; callers whose player may be rendering hold the
    // process lock. Hands the data to the player and answers the load's result
    // (an empty data chunk keeps the previous sample). decoded then holds the
    // previous sample: freeing it is left until the lock is released.
    static bool install(Decoded& decoded, SampleModule& player);
    // Both steps at once, for callers whose player is not rendering.
    static bool loadSample(const std::string& path, SampleModule& player) {
        Decoded decoded = read(path);
        return install(decoded, player);
    }
    static bool loadSample(HMMIO stream, const std::string& path, SampleModule& player) {
        Decoded decoded = read(stream, path);
        return install(decoded, player);
    }
    // Takes the player's sample: it falls silent, and decoded holds the data to free.
    static void unloadSample(SampleModule& player, Decoded& decoded);
};

} // namespace trommik2
