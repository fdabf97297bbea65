#include "InstanceRecord.h"

#include <new>

#include "core/effect/SynthPlugin.h"

namespace trommik2 {

InstanceRecord::InstanceRecord(SynthPlugin* p, HostContext* c) : plugin(p), context(c) {}

InstanceRecord::~InstanceRecord() { release(); }

void InstanceRecord::release() {
    for (int c = 0; c < 2; ++c) {
        delete[] inputs[c];
        delete[] outputs[c];
        inputs[c] = outputs[c] = nullptr;
    }
    capacity = 0;
}

bool InstanceRecord::reserve(int64_t wanted) {
    if (wanted <= capacity)
        return true;
    release();
    for (int c = 0; c < 2; ++c) {
        inputs[c] = new (std::nothrow) float[1]{0.0f};
        outputs[c] = new (std::nothrow) float[static_cast<size_t>(wanted)]();
        if (!inputs[c] || !outputs[c]) {
            release();
            return false;
        }
    }
    capacity = wanted;
    return true;
}

} // namespace trommik2
