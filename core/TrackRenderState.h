#pragma once

namespace trommik2 {

// What rendering keeps of one track between sub-blocks: whether it was hit,
// the silence gate, and its output. Audio thread, under the process lock.
struct TrackRenderState {
    static constexpr int kTrackCount = 16;

    // Set by a hit, cleared by the next sub-block: the track renders even if silent.
    bool triggered = false;
    bool rendered = false;
    float gateLevel = 0.0f;
    // How long the output has stayed below the gate, in samples.
    int quietSamples = 0;
    float left[64] = {};
    float right[64] = {};
};

} // namespace trommik2
