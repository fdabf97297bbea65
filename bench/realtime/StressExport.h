#pragma once

#include <string>

// The stress setup made reachable for a host: a content root holding its
// sample (Trommik2/Samples/Stress.wav) and the state text that names it, which
// a module copied into that root loads through operation 5.
class StressExport {
  public:
    // Writes the sample below root and returns the state in text; false when
    // the sample could not be written or the state not saved.
    static bool write(const std::string& root, std::string* state);
};
