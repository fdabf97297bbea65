#pragma once

#include <cstddef>

#include "EffectNames.h"

namespace trommik2 {

// One knob of an effect: its label and tooltip, the value its 0..1 position
// gives the effect (in that value's unit) and how that value reads.
struct EffectKnob {
    const char* name;
    // The tooltip; null where the knob needs none beyond its label.
    const char* description;
    // Position x (0..1) to the value the effect uses; null: x itself.
    double (*map)(float x, double sampleRate);
    // The text of a mapped value; null: its percentage, "%.0f%%" of value * 100.
    void (*show)(double value, double sampleRate, char* out, std::size_t capacity);
};

// What the parameter layer knows of an effect type: its names and knobs. The
// engine defines one per effect, beside the effect itself, and the effect runs
// on exactly the values these knobs map to. Constant data: any thread.
struct EffectDescription {
    const char* longName;
    const char* shortName;
    EffectKnob knobs[kEffectParameterCount];

    // The value knob p (0..3) at x gives the effect.
    double value(int p, float x, double sampleRate) const;
    // The read-out of knob p at x; out receives at most capacity - 1 characters.
    void text(int p, float x, double sampleRate, char* out, std::size_t capacity) const;
    // The tooltip of knob p, its label where it has none.
    const char* knobDescription(int p) const;
};

} // namespace trommik2
