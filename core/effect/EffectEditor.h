#pragma once

#include <cstdint>

#include "AEffect.h"

namespace trommik2 {

// What the host binding needs of an editor. All operations run on the
// user-interface thread.
class EffectEditor {
  public:
    virtual ~EffectEditor() = default;
    virtual bool getRect(ERect** rect) = 0;
    virtual bool open(uintptr_t parentWindow) = 0;
    virtual void close() = 0;
    virtual void idle() = 0;
    virtual void setParameter(int32_t index, float value) = 0;
    virtual bool setKnobMode(int32_t mode) = 0;
    // The editor's own window while it is open, else 0.
    virtual uintptr_t systemWindow() const = 0;
    virtual void focus() = 0;
};

} // namespace trommik2
