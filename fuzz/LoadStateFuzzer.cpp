// A drum machine's saved state from arbitrary text, as operation 5 hands it
// over (cut at the first zero byte). loadState refuses the text or applies it;
// an applied state saves as text that a fresh machine loads and saves again
// unchanged, and the machine then plays every track with finite output.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <trommik2/control_ids.h>

#include "FuzzContent.h"
#include "core/DrumMachine.h"
#include "platform/ScriptedDialogs.h"

using namespace trommik2;

namespace {

constexpr int kFrames = 128;

std::unique_ptr<DrumMachine> freshMachine() {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    const std::string& root = fuzzing::contentRoot();
    machine->startUp(root, root + "/Trommik2.ini");
    return machine;
}

// Every track hit at once, then two blocks with the pattern running from its start.
void play(DrumMachine& machine) {
    float left[kFrames], right[kFrames];
    float* outputs[2] = {left, right};
    for (int t = 0; t < DrumMachine::kTrackCount; ++t)
        machine.renderer().requestTrigger(t, 1.0f);
    machine.setParameter(kParamHostTempo, 120.0f);
    for (int block = 0; block < 2; ++block) {
        machine.setParameter(kParamHostPosition, static_cast<float>(block * kFrames));
        machine.processReplacing(nullptr, outputs, kFrames);
        for (int i = 0; i < kFrames; ++i)
            fuzzing::expect(std::isfinite(left[i]) && std::isfinite(right[i]), "finite output");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScriptedDialogs dialogs;
    Dialogs::install(&dialogs);
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto machine = freshMachine();
    if (machine->loadState(text.c_str())) {
        std::string saved;
        machine->saveState(saved);
        auto twin = freshMachine();
        fuzzing::expect(twin->loadState(saved.c_str()), "a saved state loads");
        std::string again;
        twin->saveState(again);
        fuzzing::expect(again == saved, "a loaded state saves as it was saved");
        play(*machine);
    }
    dialogs.clear();
    return 0;
}
