// The factory state heard through the module as a host hears it.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <vector>

#include <trommik2/host_api.h>

#include "common/SignalAnalysis.h"

namespace {

std::vector<float> renderFactoryLeft(int seconds, int block) {
    void* handle = dlopen(TROMMIK2_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    auto entry = reinterpret_cast<ZelkoraSynthesizerFunction>(dlsym(handle, "ZelkoraSynthesizer"));
    HostContext context{};
    context.sampleRate = 44100;
    context.tempo = 120.0f;
    std::vector<float> left;
    if (!entry || entry(1, &context) != 1)
        return left;
    entry(8, &context);
    std::vector<float> buffer(static_cast<size_t>(block) * 2);
    for (int position = 0; position < seconds * 44100; position += block) {
        context.outputBuffer = buffer.data();
        context.valueCount = block * 2;
        context.position = position;
        entry(7, &context);
        for (int i = 0; i < block; ++i)
            left.push_back(buffer[static_cast<size_t>(2 * i)]);
    }
    entry(2, &context);
    dlclose(handle);
    return left;
}

} // namespace

TEST(FactoryState, HitsEveryQuarterNoteWithinOneSubBlockWhateverTheHostBlock) {
    std::vector<float> small = renderFactoryLeft(3, 512);
    std::vector<float> large = renderFactoryLeft(3, 4096);
    ASSERT_FALSE(small.empty());
    std::vector<size_t> found = onsets(small);
    // Quarter notes lie 8 x 2756 = 22048 samples apart, so the seventh still starts before 3 s.
    ASSERT_EQ(found.size(), 7u) << ::testing::PrintToString(found);
    for (size_t k = 0; k < found.size(); ++k) {
        // A hit starts at the sub-block whose window holds its slot.
        EXPECT_LE(found[k], k * 22050 + 64) << "hit " << k;
        EXPECT_GE(found[k] + 64, k * 22050) << "hit " << k;
    }
    EXPECT_EQ(onsets(large), found);
    EXPECT_TRUE(allFinite(small));
}
