#pragma once

#include <string>

// Whole text files: documents handed to the module and exported ones.
class TextFile {
  public:
    static bool read(const std::string& path, std::string* text);
    // Writes through a temporary file that replaces path only when complete;
    // false with error set on failure.
    static bool write(const std::string& path, const std::string& text, std::string* error);
};
