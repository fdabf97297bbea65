// The factory state heard through the module as a host hears it.
#include <gtest/gtest.h>

#include <vector>

#include "HostHarness.h"

#include "common/SignalAnalysis.h"

namespace {

std::vector<float> renderFactoryLeft(int seconds, int block) {
    LoadedModule module;
    HostContext context = freshContext();
    if (!module.entry || module.entry(1, &context) != 1)
        return {};
    module.entry(8, &context);
    std::vector<float> left = renderLeft(module.entry, context, seconds * 44100, block);
    module.entry(2, &context);
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
