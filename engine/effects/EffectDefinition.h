#pragma once

#include <memory>

#include "Effect.h"
#include "params/EffectDescription.h"

namespace trommik2 {

// Everything about one effect type: its names, its knobs with their mappings
// and read-outs, and how to build the effect. Each effect's file defines its
// own; a new effect is such a file and one line in EffectRegistry.cpp.
struct EffectDefinition {
    EffectDescription description;
    // A new effect in its construction state, without buffers. Allocates.
    std::unique_ptr<Effect> (*create)();
};

} // namespace trommik2
