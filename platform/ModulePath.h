#pragma once

#include <string>

namespace trommik2 {

// Where the code that is running lives on disk: the content tree and the
// configuration sit beside the module file.
class ModulePath {
  public:
    // Any thread. The absolute path of the shared object (or program) that
    // holds this code; empty when it cannot be told.
    static std::string file();
    // Any thread. The folder of that file, without a trailing separator; empty
    // when it cannot be told.
    static std::string folder();
};

} // namespace trommik2
