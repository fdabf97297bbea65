#pragma once

#include <cstdio>
#include <string>

#include "AudioOutput.h"

// The command line of the standalone instrument.
struct StandaloneOptions {
    AudioSettings audio;
    bool listDevices = false;
    bool help = false;
    std::string module;
    std::string setup;
    double tempo = 120.0;
    bool play = false;
    bool noEditor = false;
    std::string record;
    double quitAfter = 0.0; // 0: until asked to quit
    std::string midiIn;
    int midiChannel = 10;
    bool midiClock = false;

    // Reads argv; an empty result means the options were fine.
    std::string parse(int argc, char** argv);
    static void printUsage(std::FILE* out);
};
