#pragma once

#include <string>

#include "ProfileFile.h"

namespace trommik2 {

// The plug-in's settings in its configuration file, with the file's encodings:
// booleans "true"/"false" (any case), integers in decimal, strings. A missing
// file or key leaves the caller's default; a failed write is ignored.
// User-interface thread.
class Configuration {
  public:
    explicit Configuration(std::string path) : file_(std::move(path)) {}

    // The flag keeps its value unless the file holds "true" or "false".
    void readBool(const std::string& section, const std::string& key, bool* flag) const;
    void writeBool(const std::string& section, const std::string& key, bool flag) const;
    // The value keeps its content when the key is missing or not a number.
    void readInt(const std::string& section, const std::string& key, int* value) const;
    void writeInt(const std::string& section, const std::string& key, int value) const;
    // At most capacity - 1 characters; the default when the key is missing.
    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue,
                           size_t capacity) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value) const;

    const std::string& path() const { return file_.path(); }

  private:
    ProfileFile file_;
};

} // namespace trommik2
