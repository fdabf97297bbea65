// trommik2-lv2-bundle BUNDLE: writes the description of the LV2 bundle into
// the folder BUNDLE, which already holds the content tree (BUNDLE/Trommik2):
// manifest.ttl, trommik2.ttl and presets.ttl, one preset per setup there.

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "BundleDescription.h"
#include "core/DrumMachine.h"

namespace {

bool writeFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    write(out);
    out.close();
    if (!out) {
        std::fprintf(stderr, "trommik2-lv2-bundle: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: trommik2-lv2-bundle BUNDLE\n");
        return 2;
    }
    const std::string bundle = argv[1];
    trommik2::DrumMachine machine(nullptr);
    machine.startUp(bundle, "");
    trommik2::BundleDescription description(machine);
    std::string error;
    if (!description.addPresets(machine.contentFolders().folder(kContentSetups), &error)) {
        std::fprintf(stderr, "trommik2-lv2-bundle: %s\n", error.c_str());
        return 1;
    }
    using trommik2::BundleDescription;
    const bool written =
        writeFile(bundle + "/manifest.ttl", [&](std::ostream& out) { description.writeManifest(out); }) &&
        writeFile(bundle + "/trommik2.ttl", [&](std::ostream& out) { description.writePlugin(out); }) &&
        writeFile(bundle + "/presets.ttl", [&](std::ostream& out) { description.writePresets(out); });
    return written ? 0 : 1;
}
