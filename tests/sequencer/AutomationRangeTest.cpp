#include <gtest/gtest.h>

#include <sequencer/AutomationRange.h>

using namespace trommik2;

namespace {

// FXType's automation range, 0..13, over a two-bar pattern.
AutomationRange typesOf(const TrackPattern& pattern, int playedSlots = 64) {
    return AutomationRange::of(pattern, FXType, 0.0f, 13.0f, playedSlots);
}

// Points of value v on every slot from first to last.
void fill(TrackPattern& pattern, int first, int last, float v) {
    for (int slot = first; slot <= last; ++slot)
        pattern.setAutomationPoint(FXType, slot, v);
}

} // namespace

TEST(AutomationRange, UnautomatedParametersReachNothing) {
    TrackPattern pattern;
    EXPECT_FALSE(typesOf(pattern).automated);
    fill(pattern, 0, 63, 5.0f);
    pattern.setAutomationScale(FXType, 0.0f);
    EXPECT_FALSE(typesOf(pattern).automated) << "scale 0 switches the automation off";
}

TEST(AutomationRange, FollowsThePointsTheSpreadAndTheScale) {
    struct Case {
        float low;      // points on the first half of the played slots
        float high;     // points on the second half
        int pointsUpTo; // the last slot with a point
        float random;
        float scale;
        float expectedLow;
        float expectedHigh;
    };
    const Case cases[] = {
        {3.0f, 7.0f, 63, 0.0f, 1.0f, 3.0f, 7.0f},
        {3.0f, 7.0f, 40, 0.0f, 1.0f, 0.0f, 7.0f},  // slots without points apply 0
        {3.0f, 7.0f, 63, 0.1f, 1.0f, 1.7f, 8.3f},  // +- 13 x 0.1
        {3.0f, 7.0f, 63, -0.1f, 1.0f, 1.7f, 8.3f}, // a negative spread widens as much
        {3.0f, 7.0f, 63, 0.0f, 0.5f, 1.5f, 3.5f},
        {3.0f, 12.0f, 63, 0.2f, 1.0f, 0.4f, 13.0f}, // clamped to the automation range
    };
    for (const Case& c : cases) {
        TrackPattern pattern;
        fill(pattern, 0, 31, c.low);
        fill(pattern, 32, c.pointsUpTo, c.high);
        pattern.setAutomationRandom(FXType, c.random);
        pattern.setAutomationScale(FXType, c.scale);
        AutomationRange range = typesOf(pattern);
        EXPECT_TRUE(range.automated);
        EXPECT_NEAR(range.low, c.expectedLow, 1e-5f) << c.pointsUpTo << " " << c.random << " " << c.scale;
        EXPECT_NEAR(range.high, c.expectedHigh, 1e-5f) << c.pointsUpTo << " " << c.random << " " << c.scale;
    }
}

TEST(AutomationRange, OnlyThePlayedSlotsCount) {
    TrackPattern pattern;
    fill(pattern, 0, 31, 4.0f);
    fill(pattern, 32, 127, 9.0f);
    AutomationRange oneBar = typesOf(pattern, 32);
    EXPECT_EQ(oneBar.low, 4.0f);
    EXPECT_EQ(oneBar.high, 4.0f) << "the second bar does not play";
    EXPECT_EQ(typesOf(pattern, 128).high, 9.0f);
}
