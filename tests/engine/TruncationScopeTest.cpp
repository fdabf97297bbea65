#include <gtest/gtest.h>

#include <cfenv>

#include <engine/Dsp.h>
#include <engine/TruncationScope.h>

using namespace trommik2;

namespace {

// What the current rounding makes of a conversion and of a sum below the last bit.
struct Rounded {
    int up, down;
    float sum;
    bool operator==(const Rounded&) const = default;
};

Rounded observe() {
    volatile float x = 2.7f, tiny = 1e-9f; // kept from being folded at compile time
    return {dsp::roundInt(x), dsp::roundInt(-x), 1.0f + tiny};
}

} // namespace

// Whatever rounding the host left, the scope truncates conversions and sums,
// and the host gets its own rounding back afterwards.
TEST(TruncationScope, TruncatesInsideAndRestoresTheRoundingOutside) {
    for (int mode : {FE_TONEAREST, FE_TOWARDZERO, FE_DOWNWARD, FE_UPWARD}) {
        SCOPED_TRACE(mode);
        std::fesetround(mode);
        const Rounded before = observe();
        {
            const TruncationScope truncating;
            EXPECT_EQ(observe(), (Rounded{2, -2, 1.0f}));
        }
        EXPECT_EQ(observe(), before);
    }
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(observe(), (Rounded{3, -3, 1.0f}));
}
