#pragma once

#include <cstdint>

#include "PortLayout.h"

namespace trommik2::lv2 {

// The plug-in's control input ports and the values it last took from them.
// A port writes into the drum machine only when its value changes: the first
// block takes the host's values as they are, so that neither a project's
// restored state nor a preset is overwritten by port values that merely stand
// where they stood, and a parameter port moved by the host writes that one
// parameter. Audio thread (connect: any thread the host connects on).
class ControlPorts {
  public:
    static constexpr uint32_t kFirst = kMasterVolume;
    static constexpr uint32_t kCount = kPortCount - kFirst;

    // False for a port that is no control port.
    bool connect(uint32_t port, const float* data);
    // The port's value, or fallback while it is not connected.
    float value(uint32_t port, float fallback) const;
    // Calls changed(port, value) for every connected port whose value differs
    // from what was last taken; the first call after construction only takes.
    template <typename Changed>
    void takeChanges(Changed&& changed) {
        for (uint32_t i = 0; i < kCount; ++i) {
            if (!ports_[i])
                continue;
            const float v = *ports_[i];
            if (primed_ && v != last_[i])
                changed(kFirst + i, v);
            last_[i] = v;
        }
        primed_ = true;
    }

  private:
    const float* ports_[kCount] = {};
    float last_[kCount] = {};
    bool primed_ = false;
};

} // namespace trommik2::lv2
