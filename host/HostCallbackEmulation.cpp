#include "HostCallbackEmulation.h"

#include <cstring>

#include "SynthAdapter.h"

namespace trommik2 {

namespace {

// The host callback codes of the vendor messages.
int32_t hostCodeOf(intptr_t message) {
    switch (static_cast<int32_t>(message)) {
    case fourCharCode("PLAY"): return 2;
    case fourCharCode("STOP"): return 3;
    case fourCharCode("DACC"): return 6;
    case fourCharCode("RACC"): return 7;
    case fourCharCode("DRAW"): return 8;
    default: return 0;
    }
}

} // namespace

intptr_t hostCallbackEmulation(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float) {
    SynthAdapter* adapter = SynthAdapter::current();
    if (!adapter)
        return 0;
    switch (opcode) {
    case audioMasterSizeWindow: adapter->resizeWrapperWindow(index, static_cast<int>(value)); return 1;
    case audioMasterVendorSpecific:
        if (index == fourCharCode("HOST") && hostCodeOf(value) != 0)
            adapter->notifyHost(effect, hostCodeOf(value));
        return 0;
    case audioMasterCanDo: return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 ? 1 : 0;
    case audioMasterOpenWindow:
        if (ptr)
            adapter->openWrapperWindow(*static_cast<const VstWindow*>(ptr));
        return 0;
    case audioMasterCloseWindow: adapter->closeWrapperWindow(); return 0;
    default: return 0;
    }
}

} // namespace trommik2
