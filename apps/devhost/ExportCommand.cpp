#include "ExportCommand.h"

#include <cstdio>
#include <string>

#include "StateFile.h"
#include "apps/common/Arguments.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "apps/common/TextFile.h"

namespace {

int failure(const std::string& message) {
    std::fprintf(stderr, "trommik2-host export: %s\n", message.c_str());
    return 1;
}

} // namespace

void printExportHelp() {
    std::puts("usage: trommik2-host export -o OUT.tm2set [--state-in FILE]\n"
              "\n"
              "Opens an instance, optionally loads a state file written by render --state-out,\n"
              "and writes the instance's state, which is the text of a setup document, to a\n"
              "file that render --setup and the module's setup folder accept.\n"
              "\n"
              "  -o OUT.tm2set        the setup file to write (replaced only when complete)\n"
              "  --state-in FILE      the state to export (default: a fresh instance's)");
}

int runExport(Arguments& args, const ModuleLoader& module) {
    std::string output;
    std::string stateIn;
    args.value("-o", &output);
    args.value("--state-in", &stateIn);
    std::string error;
    if (!args.finish(&error) || output.empty()) {
        std::fprintf(stderr, "trommik2-host export: %s (see export --help)\n",
                     error.empty() ? "an output file is needed (-o OUT.tm2set)" : error.c_str());
        return 2;
    }
    HostInstance instance(module.entry(), 44100, 120.0f);
    if (!instance.open())
        return failure("the module could not open an instance");
    if (!stateIn.empty() && !StateFile::load(instance, stateIn, &error))
        return failure(error);
    std::string state;
    if (!instance.saveStateText(&state))
        return failure("the module did not save its state");
    if (!TextFile::write(output, state, &error))
        return failure(error);
    std::printf("wrote %s: a setup of %zu bytes\n", output.c_str(), state.size());
    return 0;
}
