#pragma once

#include <string>
#include <vector>

namespace trommik2 {

// Writes 16-bit mono RIFF WAVE files, the form the sample loader reads best.
class WavFile {
  public:
    // Samples in -1..1 (clipped beyond). The file is replaced only when all of
    // it was written; otherwise false with the reason in error.
    static bool writeMono16(const std::string& path, const std::vector<float>& samples, int rate, std::string* error);
};

} // namespace trommik2
