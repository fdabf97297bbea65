// trommik2: the drum machine as an instrument of its own. It loads the module
// beside it and drives it only through its entry point, as a music host does.
#include <cstdio>

#include "StandaloneApp.h"
#include "StandaloneOptions.h"

int main(int argc, char** argv) {
    StandaloneOptions options;
    const std::string problem = options.parse(argc, argv);
    if (!problem.empty()) {
        std::fprintf(stderr, "trommik2: %s\n\n", problem.c_str());
        StandaloneOptions::printUsage(stderr);
        return 2;
    }
    if (options.help) {
        StandaloneOptions::printUsage(stdout);
        return 0;
    }
    if (options.listDevices) {
        AudioOutput::listDevices(stdout);
        MidiInput::listPorts(stdout);
        return 0;
    }
    StandaloneApp app(options);
    return app.run();
}
