#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/effect/AudioEffect.h"
#include "core/effect/EffectEditor.h"

namespace trommik2 {

// A plug-in that records what the editor writes and asks of its host, and
// answers the host calls as the host binding does: a close of the editor by
// parameter 5000, window size and close requests through the given handlers.
class FakeEffect : public AudioEffect {
  public:
    FakeEffect() : AudioEffect(&FakeEffect::hostCall, 1, 1) {}

    void setParameter(int32_t index, float value) override {
        writes.emplace_back(index, value);
        if (index == 5000 && value == 0.0f && editor)
            editor->close();
    }
    float getParameter(int32_t index) override { return index == 10001 ? 3.0f : 0.0f; }
    void getParameterDisplay(int32_t index, char* text) override {
        std::snprintf(text, 64, index == 10063 ? "Snare Tight" : "text %d", index);
    }
    void getParameterName(int32_t index, char* text) override { std::snprintf(text, 64, "name %d", index); }

    // The vendor messages as text ("DACC", "RACC", ...), in order.
    std::vector<std::string> messages;
    std::vector<std::pair<int32_t, float>> writes;
    std::vector<std::pair<int, int>> sizes;
    int windowCloses = 0;
    EffectEditor* editor = nullptr;
    std::function<void(int, int)> onSize;
    std::function<void()> onCloseWindow;

  private:
    static intptr_t hostCall(AEffect* record, int32_t opcode, int32_t index, intptr_t value, void*, float) {
        auto* self = static_cast<FakeEffect*>(static_cast<AudioEffect*>(record->object));
        if (opcode == audioMasterVendorSpecific && index == fourCharCode("HOST")) {
            auto code = static_cast<uint32_t>(value);
            self->messages.push_back({char(code >> 24), char(code >> 16), char(code >> 8), char(code)});
        } else if (opcode == audioMasterSizeWindow) {
            self->sizes.emplace_back(index, static_cast<int>(value));
            if (self->onSize)
                self->onSize(index, static_cast<int>(value));
            return 1;
        } else if (opcode == audioMasterCloseWindow) {
            ++self->windowCloses;
            if (self->onCloseWindow)
                self->onCloseWindow();
        }
        return 0;
    }
};

} // namespace trommik2
