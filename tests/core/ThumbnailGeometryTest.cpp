#include <gtest/gtest.h>

#include <climits>

#include <core/ThumbnailGeometry.h>

using namespace trommik2;

TEST(ThumbnailGeometry, ColumnsFollowTheStepsOfTheRange) {
    ThumbnailGeometry g;
    // 120 BPM at 44100 Hz: a thirty-second step lasts 2756.25 samples; 64 steps.
    ASSERT_TRUE(ThumbnailGeometry::compute(10, 20, 10 + 320, 20 + 160, 2 * 2756 + 100, 2 * 2756 + 100 + 64 * 2757,
                                           120.0f, 44100.0f, &g));
    EXPECT_EQ(g.firstStep, 2);
    EXPECT_EQ(g.stepCount, 64);
    EXPECT_DOUBLE_EQ(g.pixelsPerStep, 5.0);
    EXPECT_EQ(g.cellWidth, 3) << "5 less its half";
    EXPECT_EQ(g.cellHeight, 5) << "10 less its half";
    EXPECT_EQ(g.cellLeft(3), 25.0);
    EXPECT_EQ(g.cellTop(2), 40.0);
}

TEST(ThumbnailGeometry, RefusesRangesNoScreenCouldShowAndNonsenseTempi) {
    ThumbnailGeometry g;
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 100, 100, 0, INT_MAX, 999.0f, 8000.0f, &g)) << "too many columns";
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 100, 100, INT_MIN, INT_MAX, 3.0e38f, 44100.0f, &g));
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 100, 100, 0, 100000, 0.0f, 44100.0f, &g));
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 0, 100, 0, 100000, 120.0f, 44100.0f, &g)) << "no width";
}

TEST(ThumbnailGeometry, RectanglesWiderThanAnIntKeepTheirCoordinates) {
    ThumbnailGeometry g;
    ASSERT_TRUE(ThumbnailGeometry::compute(-2000000000, 0, 2000000000, 160, 0, 4 * 2757, 120.0f, 44100.0f, &g));
    EXPECT_EQ(g.stepCount, 4);
    EXPECT_EQ(g.cellLeft(3), 1000000000.0);
    EXPECT_EQ(g.cellWidth, 500000000);
    ASSERT_TRUE(ThumbnailGeometry::compute(-2000000000, 0, 2000000000, 160, 0, 2757, 120.0f, 44100.0f, &g));
    EXPECT_EQ(g.stepCount, 1);
    EXPECT_EQ(g.cellWidth, INT_MAX - INT_MAX / 2) << "a cell wider than an int is as wide as an int allows";
}
