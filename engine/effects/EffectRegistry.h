#pragma once

#include "EffectDefinition.h"

namespace trommik2 {

// The definition of effect type 0..13 (the FXType value); a type outside that
// range gives type 0's. Constant data: any thread.
const EffectDefinition& effectDefinition(int type);

} // namespace trommik2
