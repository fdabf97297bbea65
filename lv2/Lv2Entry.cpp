// The plug-in's entry point: the descriptor and its extension data.

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/worker/worker.h>

#include <cstring>

#include "Lv2Plugin.h"

namespace {

using trommik2::lv2::Lv2Plugin;

Lv2Plugin* plugin(LV2_Handle instance) { return static_cast<Lv2Plugin*>(instance); }

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const* features) {
    return Lv2Plugin::create(rate, features);
}

void connectPort(LV2_Handle instance, uint32_t port, void* data) { plugin(instance)->connectPort(port, data); }

void activate(LV2_Handle instance) { plugin(instance)->activate(); }

void run(LV2_Handle instance, uint32_t frames) { plugin(instance)->run(frames); }

void cleanup(LV2_Handle instance) { delete plugin(instance); }

LV2_Worker_Status work(LV2_Handle instance, LV2_Worker_Respond_Function respond, LV2_Worker_Respond_Handle handle,
                       uint32_t size, const void* data) {
    return plugin(instance)->work(respond, handle, size, data);
}

LV2_Worker_Status workResponse(LV2_Handle, uint32_t, const void*) { return LV2_WORKER_SUCCESS; }

LV2_State_Status save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle, uint32_t,
                      const LV2_Feature* const* features) {
    return plugin(instance)->save(store, handle, features);
}

LV2_State_Status restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, uint32_t,
                         const LV2_Feature* const* features) {
    return plugin(instance)->restore(retrieve, handle, features);
}

const void* extensionData(const char* uri) {
    static const LV2_Worker_Interface worker = {work, workResponse, nullptr};
    static const LV2_State_Interface state = {save, restore};
    if (std::strcmp(uri, LV2_WORKER__interface) == 0)
        return &worker;
    if (std::strcmp(uri, LV2_STATE__interface) == 0)
        return &state;
    return nullptr;
}

const LV2_Descriptor kDescriptor = {
    trommik2::lv2::kPluginUri, instantiate, connectPort, activate, run, nullptr, cleanup, extensionData};

} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
