#pragma once

#include <memory>

#include "Effect.h"

namespace trommik2 {

// A new effect of type 0..13 in its construction state (not yet prepared);
// a type outside 0..13 gives the type-0 effect. Allocates.
std::unique_ptr<Effect> createEffect(int type);

} // namespace trommik2
