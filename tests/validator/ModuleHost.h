#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include <trommik2/effect_record.h>
#include <trommik2/host_api.h>

#include "module/HostHarness.h"

// The built module loaded as a host loads it, with helpers that check what a
// plug-in validator checks of every rendered block.
class ModuleHost : public LoadedModule {
  public:
    static HostContext context(uint32_t rate = 44100, float tempo = 120.0f) {
        HostContext c{};
        c.sampleRate = rate;
        c.tempo = tempo;
        return c;
    }
    static AEffect* effect(const HostContext& c) { return static_cast<AEffect*>(c.plugin); }
    static void setParameter(const HostContext& c, int32_t index, float value) {
        effect(c)->setParameter(effect(c), index, value);
    }

    // Renders frames at the context's position and moves it on; the audio lands in buffer.
    int32_t render(HostContext& c, int32_t frames, std::vector<float>& buffer) {
        buffer.assign(static_cast<size_t>(2 * frames), NAN);
        c.outputBuffer = buffer.data();
        c.valueCount = 2 * frames;
        int32_t result = entry(7, &c);
        c.position += frames;
        return result;
    }
};

// Every value finite and none subnormal.
inline bool clean(const std::vector<float>& x) {
    for (float v : x)
        if (!std::isfinite(v) || std::fpclassify(v) == FP_SUBNORMAL)
            return false;
    return true;
}
