#include "TempFile.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace trommik2 {

TempFile::TempFile(const std::string& target) : target_(target), path_(target + ".tmp-" + std::to_string(getpid())) {}

TempFile::~TempFile() {
    if (!committed_)
        std::remove(path_.c_str());
}

bool TempFile::commit(std::string* error) {
    if (std::rename(path_.c_str(), target_.c_str()) != 0) {
        *error = "cannot write " + target_ + ": " + std::strerror(errno);
        return false;
    }
    committed_ = true;
    return true;
}

} // namespace trommik2
