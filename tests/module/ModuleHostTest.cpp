// Drives the built module exactly as a host does: dlopen, the public header,
// the numbered operations and a real mmio file for the state.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "HostHarness.h"
#include <trommik2/control_ids.h>
#include <trommik2/effect_record.h>

namespace {

const FOURCC kForm = mmioFOURCC('T', 'E', 'S', 'T');
const FOURCC kChunk = mmioFOURCC('s', 't', 'a', 't');

bool saveState(ZelkoraSynthesizerFunction entry, HostContext* context, const std::string& path) {
    HMMIO file = mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_CREATE | MMIO_READWRITE);
    if (!file)
        return false;
    MMCKINFO riff{};
    riff.fccType = kForm;
    MMCKINFO chunk{};
    chunk.ckid = kChunk;
    mmioCreateChunk(file, &riff, MMIO_CREATERIFF);
    mmioCreateChunk(file, &chunk, 0);
    context->stateStream = file;
    bool saved = entry(6, context) == 1;
    mmioAscend(file, &chunk, 0);
    mmioAscend(file, &riff, 0);
    mmioClose(file, 0);
    return saved;
}

int32_t loadState(ZelkoraSynthesizerFunction entry, HostContext* context, const std::string& path) {
    HMMIO file = mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_READ);
    MMCKINFO riff{};
    riff.fccType = kForm;
    MMCKINFO chunk{};
    chunk.ckid = kChunk;
    if (!file || mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != 0 ||
        mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != 0)
        return -1;
    context->stateStream = file;
    context->stateSize = chunk.cksize;
    int32_t result = entry(5, context);
    mmioClose(file, 0);
    return result;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ModuleAsHost, OpensRendersSavesLoadsAndCloses) {
    LoadedModule module;
    ASSERT_NE(module.entry, nullptr) << dlerror();
    HostContext context{};
    context.sampleRate = 44100;
    context.tempo = 120.0f;
    ASSERT_EQ(module.entry(1, &context), 1);
    const AEffect* effect = static_cast<const AEffect*>(context.plugin);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(module.entry(8, &context), 1);

    std::vector<float> audio(2 * 4096, NAN);
    for (int32_t block = 0; block < 8; ++block) {
        context.outputBuffer = audio.data() + 0;
        context.valueCount = 2 * 512;
        context.position = block * 512;
        ASSERT_EQ(module.entry(7, &context), 1);
        for (int i = 0; i < 2 * 512; ++i)
            ASSERT_TRUE(std::isfinite(audio[static_cast<size_t>(i)]));
    }

    std::string path = (std::filesystem::temp_directory_path() / ("module-state-" + std::to_string(getpid()))).string();
    ASSERT_TRUE(saveState(module.entry, &context, path));
    HostContext second{};
    second.sampleRate = 44100;
    second.tempo = 120.0f;
    ASSERT_EQ(module.entry(1, &second), 1);
    EXPECT_EQ(loadState(module.entry, &second, path), 1);
    std::string again = path + "-again";
    ASSERT_TRUE(saveState(module.entry, &second, again));
    EXPECT_GT(fileBytes(path).size(), 1000u);
    EXPECT_EQ(fileBytes(again), fileBytes(path)) << "the loaded state saves again byte for byte";
    std::filesystem::remove(path);
    std::filesystem::remove(again);

    EXPECT_EQ(module.entry(2, &second), 1);
    EXPECT_EQ(module.entry(2, &context), 1);
    EXPECT_EQ(module.entry(2, &context), 0);
}

// Hosts of our own trigger tracks from MIDI notes through the effect record:
// the hit starts with the next block, whatever the pattern does.
TEST(ModuleAsHost, TrackTriggersSoundAtTheStartOfTheNextBlock) {
    LoadedModule module;
    HostContext context = freshContext();
    ASSERT_EQ(module.entry(1, &context), 1);
    AEffect* effect = static_cast<AEffect*>(context.plugin);
    effect->setParameter(effect, kParamMuteFirst + 1, 1.0f); // the default pattern's only track
    const int block = 512;
    std::vector<float> buffer(2 * block);
    auto render = [&](int index) {
        context.outputBuffer = buffer.data();
        context.valueCount = 2 * block;
        context.position = index * block;
        module.entry(7, &context);
        float loudest = 0.0f;
        int first = -1;
        for (int i = 0; i < block; ++i) {
            float x = std::fabs(buffer[2 * static_cast<size_t>(i)]);
            loudest = std::max(loudest, x);
            if (first < 0 && x > 1e-4f)
                first = i;
        }
        return std::make_pair(loudest, first);
    };
    EXPECT_LT(render(0).first, 1e-4f);
    effect->setParameter(effect, kParamTriggerTrackFirst + 16, 1.0f); // no such track
    effect->setParameter(effect, kParamTriggerTrackFirst + 0, 0.0f);  // no hit at velocity 0
    EXPECT_LT(render(1).first, 1e-4f);
    effect->setParameter(effect, kParamTriggerTrackFirst + 0, 1.0f);
    auto [loudest, first] = render(2);
    EXPECT_GT(loudest, 0.05f) << "the kick sounds";
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 64) << "within the first control block";
    EXPECT_EQ(effect->getParameter(effect, kParamSelectTrack), 0.0f) << "a trigger selects nothing";
    module.entry(2, &context);
}
