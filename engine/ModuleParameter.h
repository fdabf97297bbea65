#pragma once

#include <cmath>

#include "Relaxed.h"

namespace trommik2 {

// One parameter of a sound module: four value slots and the one-pole smoother
// that moves the smoothed slot toward the target once per control block. The
// user-interface thread writes the base and offset while the audio thread reads them.
struct ModuleParameter {
    enum Slot { kBase = 0, kOffset = 1, kTarget = 2, kSmoothed = 3 };

    void setSampleRate(float rate);
    void setSmoothingTime(float ms);
    // Once per control block, before any audio of the block; for every
    // parameter of every voice, so defined here to be inlined. Returns whether
    // the smoothed value moved.
    bool smooth() {
        float target = slot[kBase] + slot[kOffset];
        slot[kTarget] = target;
        if (!(std::fabs(slot[kSmoothed] - target) > 0.001f))
            return false;
        state = b * target - a * state;
        slot[kSmoothed] = state;
        return true;
    }
    // Offset cleared, target and smoothed value at the base value.
    void reset();
    // Target and smoothed value at base plus offset at once.
    void snap();

    Relaxed<float> slot[4];
    float smoothingMs = 10.0f;
    float b = 1.0f;
    float a = 0.0f;
    float state = 0.0f;
    float sampleRate = 44100.0f;
    float blockLength = 64.0f;
    float controlRate = 44100.0f / 64.0f;
};

} // namespace trommik2
