#pragma once

#include <cstddef>
#include <cstdint>

#include "ControlCommands.h"
#include "params/ParameterIndex.h"
#include "params/ValueDisplay.h"

namespace trommik2 {

class DrumMachine;

// The drum machine's controls: every plug-in parameter by number (the 59
// instrument parameters of the selected track, the editor's commands and
// read-outs, mute, solo, triggers, the host's transport) and, through its
// commands, the editor's menus and lists.
//
// Threads: the user-interface thread, except the host tempo and position,
// which the audio thread writes before each block, and the track triggers,
// which any thread may write.
class PluginController {
  public:
    static constexpr size_t kDisplayLength = 64;

    explicit PluginController(DrumMachine& machine);

    void setParameter(int32_t index, float value);
    float getParameter(int32_t index) const;
    // text holds at least kDisplayLength characters.
    void getParameterDisplay(int32_t index, char* text) const;
    void getParameterName(int32_t index, char* text) const;

    ControlCommands& commands() { return commands_; }

    // Instrument parameter index (0..58) of any track as a normalised position.
    // The user-interface thread; a host's audio thread may write every
    // parameter except those that swap under the process lock.
    void setInstrumentValue(int track, int32_t index, float value);
    // Whether writing the parameter replaces an effect or sizes its buffers,
    // which takes the process lock and may allocate.
    static bool swapsUnderLock(int32_t index) { return index == FXType || index == FXActive; }

  private:
    bool setInstrumentParameter(int32_t index, float value);
    bool setTrackParameter(int32_t index, float value);
    bool setTransportParameter(int32_t index, float value);
    bool setContentParameter(int32_t index, float value);
    void setMuted(int track, bool muted);
    void audition(float velocity);
    void resetModulation(int index);
    EffectSlotState effectSlotState() const;

    DrumMachine& machine_;
    ValueDisplay display_;
    ControlCommands commands_;
};

} // namespace trommik2
