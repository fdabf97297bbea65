// trommik2-host: a development host that drives the instrument module only
// through its exported entry point, as a music host would.
#include <cstdio>
#include <cstring>
#include <string>

#include "EditCommand.h"
#include "ExportCommand.h"
#include "ImportCommand.h"
#include "InfoCommand.h"
#include "ListCommand.h"
#include "RenderCommand.h"
#include "apps/common/Arguments.h"
#include "apps/common/ModuleLoader.h"

namespace {

struct Command {
    const char* name;
    int (*run)(Arguments&, const ModuleLoader&);
    void (*help)();
    const char* summary;
};

const Command kCommands[] = {
    {"render", runRender, printRenderHelp, "render the module's audio to a WAV file"},
    {"edit", runEdit, printEditHelp, "open the editor in a window, with real-time playback"},
    {"export", runExport, printExportHelp, "write an instance's state as a setup document"},
    {"import", runImport, printImportHelp, "make instruments and a drum kit of a folder of WAV files"},
    {"list", runList, printListHelp, "print a content list of the tree beside the module"},
    {"info", runInfo, printInfoHelp, "show what the module answers about itself"},
};

void printUsage(std::FILE* out) {
    std::fputs("usage: trommik2-host [--module PATH] COMMAND [options]\n\ncommands:\n", out);
    for (const Command& command : kCommands)
        std::fprintf(out, "  %-8s %s\n", command.name, command.summary);
    std::fputs("\n  --module PATH  the module to load (default: Trommik2.syn beside this program)\n"
               "Run 'trommik2-host COMMAND --help' for a command's options.\n",
               out);
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    std::string modulePath = ModuleLoader::defaultPath();
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--module") == 0) {
        modulePath = argv[2];
        first = 3;
    }
    if (first >= argc || std::strcmp(argv[first], "--help") == 0 || std::strcmp(argv[first], "-h") == 0) {
        printUsage(first >= argc ? stderr : stdout);
        return first >= argc ? 2 : 0;
    }
    const Command* command = findCommand(argv[first]);
    if (!command) {
        std::fprintf(stderr, "trommik2-host: unknown command '%s'\n", argv[first]);
        printUsage(stderr);
        return 2;
    }
    Arguments args(argc, argv, first + 1);
    if (args.flag("--help") || args.flag("-h")) {
        command->help();
        return 0;
    }
    ModuleLoader module;
    std::string error;
    if (!module.load(modulePath, &error)) {
        std::fprintf(stderr, "trommik2-host: %s\n", error.c_str());
        return 1;
    }
    return command->run(args, module);
}
