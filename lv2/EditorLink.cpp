#include "EditorLink.h"

#include <cstring>

namespace trommik2::lv2 {

// Transport requests and window placement have no counterpart in LV2: the
// host owns both.
intptr_t EditorLink::hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float) {
    auto* link = effect ? static_cast<EditorLink*>(effect->user) : nullptr;
    switch (opcode) {
    case audioMasterSizeWindow:
        if (!link)
            return 0;
        link->resizeEditor(index, static_cast<int>(value));
        return 1;
    case audioMasterCanDo: return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 ? 1 : 0;
    default: return 0;
    }
}

} // namespace trommik2::lv2
