#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include <params/ValueMapping.h>

using namespace trommik2;

// The nearest whole number, a half rounding up, in either rounding mode the
// engine runs in; out-of-range values and NaN as documented.
TEST(ValueMapping, NearestStepRoundsHalvesUpWhateverTheRoundingMode) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int step;
    } cases[] = {{0.0, 0},
                 {-0.0, 0},
                 {0.49999999, 0},
                 {0.5, 1},
                 {1.5, 2},
                 {2.4999999, 2},
                 {2.5, 3},
                 {3.0000000001, 3},
                 {-0.49999999, 0},
                 {-0.5, 0},
                 {-0.50000001, -1},
                 {-1.5, -1},
                 {-2.5, -2},
                 {-2.9999999, -3},
                 {-3.0000000001, -3},
                 {1e-300, 0},
                 {-1e-300, 0},
                 {999999999.5, 1000000000},
                 {-999999999.5, -999999999},
                 {1e9, 1000000000},
                 {-1e9, -1000000000},
                 {inf, 1000000000},
                 {-inf, -1000000000},
                 {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (int mode : {FE_TONEAREST, FE_TOWARDZERO, FE_DOWNWARD, FE_UPWARD}) {
        std::fesetround(mode);
        for (const auto& c : cases)
            EXPECT_EQ(nearestStep(c.value), c.step) << c.value << " in rounding mode " << mode;
    }
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(nearestStep(7.6, 0, 3), 3);
    EXPECT_EQ(nearestStep(-0.7, 0, 3), 0);
}
