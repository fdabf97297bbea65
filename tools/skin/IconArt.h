#pragma once

#include <string>

namespace trommik2 {

// The application icon of the standalone instrument: a dark rounded body with
// a four-by-four field of step pads, some lit.
class IconArt {
  public:
    static constexpr int kSize = 256;

    // Writes the icon as a PNG file; false when it could not be written.
    static bool write(const std::string& path);
};

} // namespace trommik2
