#pragma once

#include <cstdint>

#include "content/WavLoader.h"

namespace trommik2 {

class DrumMachine;

// The choices the editor's pop-up menus and lists send to the plug-in: knob
// assignments, synthesis and effect types, the track's sample. Each command
// runs under the process lock. User-interface thread.
class ControlCommands {
  public:
    explicit ControlCommands(DrumMachine& machine) : machine_(machine) {}

    // Carries out the choice value (or the document named text) of control
    // identifier; returns true when flag is non-zero.
    bool command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value);

  private:
    void assignKnob(int32_t identifier, int32_t kind, int32_t value);
    void setSample(const char* text, int32_t value, WavLoader::Decoded sample);

    DrumMachine& machine_;
};

} // namespace trommik2
