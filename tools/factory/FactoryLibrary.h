#pragma once

#include <string>
#include <vector>

namespace trommik2 {

// Writes the factory content tree below a root: the templates, the samples it
// renders from its own instruments, the instruments, kits, patterns and setups
// of the recipes, all through the documents' own savers.
class FactoryLibrary {
  public:
    // The list of the files a run wrote, relative to the root, which the next
    // run uses to remove what it no longer writes.
    static constexpr const char* kManifest = "Trommik2/config/FactoryLibrary.txt";

    // Files of other origin below root are left alone. written (may be null)
    // receives the full paths of the documents and samples written, the
    // manifest excepted. False with the reason in error at the first failure.
    static bool write(const std::string& root, std::vector<std::string>* written, std::string* error);
};

} // namespace trommik2
