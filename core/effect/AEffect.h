#pragma once

#include <cstdint>

#include <trommik2/effect_record.h>

namespace trommik2 {

using ::AEffect;
using HostCallbackFunction = AEffectDispatcherProc;
using DispatcherFunction = AEffectDispatcherProc;
using ProcessFunction = AEffectProcessProc;
using SetParameterFunction = AEffectSetParameterProc;
using GetParameterFunction = AEffectGetParameterProc;

// Four-character codes with the first character in the most significant byte.
constexpr int32_t fourCharCode(const char (&c)[5]) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint8_t>(c[0])) << 24) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c[1])) << 16) |
                                (static_cast<uint32_t>(static_cast<uint8_t>(c[2])) << 8) |
                                static_cast<uint32_t>(static_cast<uint8_t>(c[3])));
}

enum EffectOpcode : int32_t {
    effOpen = 0,
    effClose = 1,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
};

enum HostOpcode : int32_t {
    audioMasterAutomate = 0,
    audioMasterSizeWindow = 15,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
};

// The window description of the open-window host call.
struct VstWindow {
    char title[128];
    int16_t xPos;
    int16_t yPos;
    int16_t width;
    int16_t height;
    int32_t style;
    void* parent;
    void* userHandle;
    void* winHandle;
    char future[104];
};

struct ERect {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
};

} // namespace trommik2
