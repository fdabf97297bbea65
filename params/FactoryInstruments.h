#pragma once

#include <span>

namespace trommik2 {

struct FactoryValue {
    int index;
    float value;
};

// The instrument every track has before any document is loaded, in engine
// units and in the order they must be applied (the synthesis type first).
std::span<const FactoryValue> factoryInstrument(int track);

} // namespace trommik2
