#pragma once

#include <cstdint>

#include <trommik2/host_api.h>

namespace trommik2 {

class SynthPlugin;

// One open instance: its plug-in, its host context and its render buffers.
// The buffers are sized once, when the instance opens: a host block longer
// than them is rendered in pieces, so the audio thread never allocates.
struct InstanceRecord {
    static constexpr int32_t kChunkFrames = 4096;

    InstanceRecord(SynthPlugin* plugin, HostContext* context) : plugin(plugin), context(context) {}

    uint32_t firstWord = 0;
    SynthPlugin* plugin;
    HostContext* context;
    // The instrument has no inputs; these only give the render call valid pointers.
    float silence[2][1] = {};
    float output[2][kChunkFrames] = {};
    float* inputs[2] = {silence[0], silence[1]};
    float* outputs[2] = {output[0], output[1]};
};

} // namespace trommik2
