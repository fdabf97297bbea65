// The WAV loader on arbitrary bytes, read through a memory stream, and the
// sample player on whatever the loader made of them.
#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <mmio.h>

#include "content/WavLoader.h"
#include "engine/SampleModule.h"
#include "params/ParameterIndex.h"
#include "platform/ScriptedDialogs.h"

using namespace trommik2;

namespace {

// Plays the loaded sample forward and reversed, at its fastest, over the whole buffer.
void play(SampleModule& player) {
    float envelope[64];
    uint8_t triggers[64] = {1};
    float out[64];
    for (float& e : envelope)
        e = 1.0f;
    player.setValue(GenWavTune, 24.0f, 0);
    std::fesetround(FE_TOWARDZERO);
    for (float direction : {0.0f, 1.0f}) {
        player.setValue(GenWavDirection, direction, 0);
        player.reset();
        player.smoothParameters();
        for (int block = 0; block < 4; ++block) {
            player.render(envelope, triggers, 1.0f, out, 64);
            triggers[0] = 0;
        }
        triggers[0] = 1;
    }
    std::fesetround(FE_TONEAREST);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScriptedDialogs dialogs;
    Dialogs::install(&dialogs);
    std::vector<char> bytes(data, data + size);
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = bytes.empty() ? nullptr : bytes.data();
    info.cchBuffer = static_cast<int32_t>(bytes.size());
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READ);
    if (!stream)
        return 0;
    SampleModule player;
    if (WavLoader::loadSample(stream, "fuzz.wav", player) && player.frameCount() > 0)
        play(player);
    mmioClose(stream, 0);
    dialogs.clear();
    return 0;
}
