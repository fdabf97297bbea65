// trommik2-factory ROOT [--report [--hits DIR]]: writes the factory content
// tree below ROOT (ROOT/Trommik2/...). --report then prints figures of every
// sound and groove, read back from the files; --hits also writes every
// instrument's hit into DIR.
#include <cstdio>
#include <string>

#include "FactoryLibrary.h"
#include "LibraryReport.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: trommik2-factory ROOT [--report [--hits DIR]]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string root;
    std::string hits;
    bool report = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--report")
            report = true;
        else if (arg == "--hits" && i + 1 < argc)
            hits = argv[++i];
        else if (root.empty() && !arg.empty() && arg[0] != '-')
            root = arg;
        else
            return usage();
    }
    if (root.empty() || (!hits.empty() && !report))
        return usage();
    std::string error;
    if (!trommik2::FactoryLibrary::write(root, nullptr, &error)) {
        std::fprintf(stderr, "trommik2-factory: %s\n", error.c_str());
        return 1;
    }
    if (report)
        trommik2::LibraryReport::print(root, hits);
    return 0;
}
