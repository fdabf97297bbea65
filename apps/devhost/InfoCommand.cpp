#include "InfoCommand.h"

#include <cstdio>
#include <string>

#include <trommik2/effect_record.h>

#include "apps/common/Arguments.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"

namespace {

std::string codeText(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char>((static_cast<uint32_t>(code) >> shift) & 0xFF);
    return text;
}

void printIdentity(const AEffect& effect) {
    std::printf("identity:    '%s' version %d (record '%s')\n", codeText(effect.uniqueID).c_str(), effect.version,
                codeText(effect.magic).c_str());
    std::printf("channels:    %d inputs, %d outputs\n", effect.numInputs, effect.numOutputs);
    std::printf("flags:       %s%s%s\n", (effect.flags & effFlagsIsSynth) ? "synth " : "",
                (effect.flags & effFlagsCanReplacing) ? "replacing " : "",
                (effect.flags & effFlagsHasEditor) ? "editor" : "");
}

} // namespace

void printInfoHelp() {
    std::puts("usage: trommik2-host info\n"
              "\n"
              "Loads the module and prints its path, the answers of the query operations\n"
              "12, 14 and 15, and the identity of a freshly opened instance.");
}

int runInfo(Arguments& args, const ModuleLoader& module) {
    std::string error;
    if (!args.finish(&error)) {
        std::fprintf(stderr, "trommik2-host info: %s (see info --help)\n", error.c_str());
        return 2;
    }
    HostInstance instance(module.entry(), 44100, 120.0f);
    std::printf("module:      %s\n", module.path().c_str());
    std::printf("queries:     12 -> %d, 14 -> %d, 15 -> %d\n", instance.call(12), instance.call(14), instance.call(15));
    if (!instance.open()) {
        std::fprintf(stderr, "trommik2-host info: the module could not open an instance\n");
        return 1;
    }
    printIdentity(*static_cast<const AEffect*>(instance.context().plugin));
    return 0;
}
