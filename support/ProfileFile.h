#pragma once

#include <string>
#include <vector>

namespace trommik2 {

// A private-profile text file: "[Section]" lines followed by "key=value" lines.
// Sections and keys match without regard to case; a write keeps every other
// line as it was and replaces the file atomically. User-interface thread.
class ProfileFile {
  public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    // The value of key in section, or false when the file, section or key is missing.
    bool read(const std::string& section, const std::string& key, std::string* value) const;
    // Sets key in section, creating both (and the file) when missing. False when
    // the file cannot be written; the old file then stays as it was.
    bool write(const std::string& section, const std::string& key, const std::string& value) const;

    const std::string& path() const { return path_; }

  private:
    std::vector<std::string> lines() const;
    bool save(const std::vector<std::string>& text) const;

    std::string path_;
};

} // namespace trommik2
