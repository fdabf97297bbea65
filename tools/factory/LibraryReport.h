#pragma once

#include <string>

namespace trommik2 {

// Listening by numbers: renders every instrument, every kit track and every
// groove of a written library from its files and prints their figures.
class LibraryReport {
  public:
    // With a hits folder, every instrument's hit is also written there as a
    // WAV file (mid signal), for tools that draw spectra.
    static void print(const std::string& root, const std::string& hitsFolder);
};

} // namespace trommik2
