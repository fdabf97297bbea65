#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

#include <core/DenormalsOff.h>

#include "CoreTestSupport.h"

#if defined(__x86_64__)
#include <xmmintrin.h>

using namespace trommik2;

namespace {

constexpr unsigned kModes = 0x8040; // flush to zero, denormals are zero

// Through a volatile so that the compiler computes it at run time.
float halve(float x) {
    volatile float v = x;
    return v * 0.5f;
}

} // namespace

TEST(DenormalsOff, FlushesWhileAliveAndRestoresTheCallersModes) {
    const float smallest = FLT_MIN; // halving it gives a denormal
    ASSERT_GT(halve(smallest), 0.0f);
    {
        DenormalsOff off;
        EXPECT_EQ(halve(smallest), 0.0f);
    }
    EXPECT_GT(halve(smallest), 0.0f);

    _mm_setcsr(_mm_getcsr() | kModes);
    { DenormalsOff off; }
    EXPECT_EQ(_mm_getcsr() & kModes, kModes) << "a caller that flushes keeps flushing";
    _mm_setcsr(_mm_getcsr() & ~kModes);
}

TEST(DenormalsOff, BlockProcessingLeavesTheHostsModesAndRoundingAlone) {
    Rig rig;
    const unsigned before = _mm_getcsr() & kModes;
    rig.renderLeft(700, 350);
    EXPECT_EQ(_mm_getcsr() & kModes, before);
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

#endif
