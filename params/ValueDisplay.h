#pragma once

#include <cstddef>

#include "EffectDescription.h"
#include "ParameterTable.h"

namespace trommik2 {

// What the value display needs of the selected track's effect slot: its current
// type's description, its stored value (0..1) of each of the four knobs for that
// type, and the sample rate (the Lo-Fi Rate is shown in kHz). Without a
// description the slot shows "no fx" and knobs "par1" .. "mix" at their positions.
struct EffectSlotState {
    const EffectDescription* effect = nullptr;
    float stored[kEffectParameterCount] = {};
    double sampleRate = 44100.0;
};

// Turns instrument parameter values into the texts of the editor's read-outs and
// the host's parameter display, and names parameters as the plug-in shows them.
// Reads only constant data: any thread.
class ValueDisplay {
  public:
    explicit ValueDisplay(const ParameterTable& table) : table_(table) {}

    // The text of parameter index (0..58) at value (engine units), clamped to the
    // parameter's range first. out receives at most capacity - 1 characters and is
    // always terminated (capacity > 0). Indices 52..55 show fx.stored, not value.
    void text(int index, double value, const EffectSlotState& fx, char* out, std::size_t capacity) const;
    // The same without the clamping.
    void format(int index, double value, const EffectSlotState& fx, char* out, std::size_t capacity) const;

    // Knob label: for 52..55 the effect's name of that knob, otherwise the table's
    // short name.
    const char* name(int index, const EffectDescription* effect) const;
    // Tooltip: for 52..55 the effect's description of that knob, otherwise the
    // table's long name.
    const char* longName(int index, const EffectDescription* effect) const;

  private:
    const ParameterTable& table_;
};

} // namespace trommik2
