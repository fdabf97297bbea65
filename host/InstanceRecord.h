#pragma once

#include <cstdint>

#include <trommik2/host_api.h>

namespace trommik2 {

class SynthPlugin;

// One open instance: its plug-in, its host context and its render buffers.
struct InstanceRecord {
    InstanceRecord(SynthPlugin* plugin, HostContext* context);
    ~InstanceRecord();
    InstanceRecord(const InstanceRecord&) = delete;
    InstanceRecord& operator=(const InstanceRecord&) = delete;

    // Grows the buffers to hold at least capacity floats per channel. Audio thread.
    bool reserve(int64_t capacity);

    uint32_t firstWord = 0;
    SynthPlugin* plugin;
    HostContext* context;
    // The instrument has no inputs; these only give the render call valid pointers.
    float* inputs[2] = {nullptr, nullptr};
    float* outputs[2] = {nullptr, nullptr};
    int64_t capacity = 0;

  private:
    void release();
};

} // namespace trommik2
