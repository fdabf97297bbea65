#include "EffectDescription.h"

#include <cstdio>

namespace trommik2 {

double EffectDescription::value(int p, float x, double sampleRate) const {
    const EffectKnob& knob = knobs[p];
    return knob.map ? knob.map(x, sampleRate) : x;
}

void EffectDescription::text(int p, float x, double sampleRate, char* out, std::size_t capacity) const {
    const double v = value(p, x, sampleRate);
    if (knobs[p].show)
        knobs[p].show(v, sampleRate, out, capacity);
    else
        std::snprintf(out, capacity, "%.0f%%", v * 100.0);
}

const char* EffectDescription::knobDescription(int p) const {
    return knobs[p].description ? knobs[p].description : knobs[p].name;
}

} // namespace trommik2
