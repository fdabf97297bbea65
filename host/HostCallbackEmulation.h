#pragma once

#include <cstdint>

#include "core/effect/AEffect.h"

namespace trommik2 {

// The host callback handed to every plug-in in place of a real one: it answers
// the few requests the plug-in makes and relays its transport and focus
// messages to the host's own callback. User-interface thread.
intptr_t hostCallbackEmulation(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

} // namespace trommik2
