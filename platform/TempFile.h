#pragma once

#include <string>

namespace trommik2 {

// A temporary file beside a target: written first, renamed over the target on
// commit, removed when not committed, so a failed write never destroys the target.
class TempFile {
  public:
    explicit TempFile(const std::string& target);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }
    bool commit(std::string* error);

  private:
    std::string target_;
    std::string path_;
    bool committed_ = false;
};

} // namespace trommik2
