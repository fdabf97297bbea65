#pragma once

#include <cstdint>

#include "core/effect/AEffect.h"

namespace trommik2::lv2 {

// How the drum machine's editor reaches the LV2 user interface that shows it:
// the editor asks its effect's host for a new window size, and the host
// callback of the plug-in's drum machine hands that to the user interface
// attached to the effect record. User-interface thread.
class EditorLink {
  public:
    virtual ~EditorLink() = default;
    virtual void resizeEditor(int width, int height) = 0;

    // Null detaches.
    static void attach(AEffect& effect, EditorLink* link) { effect.user = link; }
    // The drum machine's host callback.
    static intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
};

} // namespace trommik2::lv2
