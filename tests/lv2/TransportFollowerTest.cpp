#include <gtest/gtest.h>

#include "lv2/TransportFollower.h"

namespace trommik2 {
namespace {

constexpr int64_t kBar = 88200; // 120 quarters a minute at 44100 Hz

HostTimePosition rolling(float bpm, int64_t bar, float barBeat, float beatsPerBar = 4, int beatUnit = 4) {
    HostTimePosition p;
    p.hasSpeed = p.hasBpm = p.hasBar = p.hasBarBeat = p.hasBeatsPerBar = p.hasBeatUnit = true;
    p.speed = 1.0f;
    p.bpm = bpm;
    p.bar = bar;
    p.barBeat = barBeat;
    p.beatsPerBar = beatsPerBar;
    p.beatUnit = beatUnit;
    return p;
}

TEST(TransportFollowerTest, PlacesThePatternByBarAndBeatInQuarterNotes) {
    struct Case {
        const char* what;
        HostTimePosition position;
        int64_t expected;
    } cases[] = {
        {"top", rolling(120, 0, 0), 0},
        {"bar 2, beat 3", rolling(120, 1, 2), kBar + kBar / 2},
        {"6/8, eighths at 240: bar 2, beat 4", rolling(240, 1, 3, 6, 8), kBar + kBar / 8},
        {"bar 14 is bar 2 of the twelve-bar cycle", rolling(120, 13, 0), kBar},
        {"a bar before the first is the cycle's last", rolling(120, -1, 0), 11 * kBar},
    };
    for (const Case& c : cases) {
        TransportFollower follower(44100.0);
        follower.apply(c.position);
        EXPECT_TRUE(follower.rolling()) << c.what;
        EXPECT_FLOAT_EQ(follower.tempo(), 120.0f) << c.what;
        EXPECT_EQ(follower.patternPosition(), c.expected) << c.what;
    }
}

TEST(TransportFollowerTest, AFrameAloneGivesThePlaceAtTheTempo) {
    TransportFollower follower(44100.0);
    HostTimePosition p;
    p.hasSpeed = p.hasBpm = p.hasFrame = true;
    p.speed = 1.0f;
    p.bpm = 120.0f;
    p.frame = 3 * kBar + 100;
    follower.apply(p);
    EXPECT_EQ(follower.patternPosition(), 3 * kBar + 100);
}

TEST(TransportFollowerTest, CountsFramesBetweenReportsAndFollowsOnlyRealMoves) {
    TransportFollower follower(44100.0);
    follower.apply(rolling(120, 0, 0));
    follower.advance(1000);
    EXPECT_EQ(follower.renderPosition(), 1000);
    // A report a few samples off (the host's rounding) keeps the count...
    follower.apply(rolling(120, 0, 1010.0f / 22050.0f));
    EXPECT_EQ(follower.patternPosition(), 1000);
    // ...a relocation moves the pattern.
    follower.apply(rolling(120, 2, 0));
    EXPECT_EQ(follower.patternPosition(), 2 * kBar);
    // A new tempo alone keeps the place in the bar.
    follower.advance(kBar / 2);
    HostTimePosition slower;
    slower.hasBpm = true;
    slower.bpm = 60.0f;
    follower.apply(slower);
    EXPECT_EQ(follower.patternPosition(), 2 * 2 * kBar + kBar);
}

TEST(TransportFollowerTest, AStandingTransportKeepsThePatternsPlaceAndTheRendererMoving) {
    TransportFollower follower(44100.0);
    follower.apply(rolling(120, 1, 0));
    HostTimePosition stop;
    stop.hasSpeed = true;
    stop.speed = 0.0f;
    follower.apply(stop);
    EXPECT_FALSE(follower.rolling());
    follower.advance(500);
    EXPECT_EQ(follower.patternPosition(), kBar);
    EXPECT_EQ(follower.renderPosition(), kBar + 500);
    HostTimePosition start = stop;
    start.speed = 1.0f;
    follower.apply(start);
    EXPECT_TRUE(follower.rolling());
    EXPECT_EQ(follower.renderPosition(), kBar);
}

} // namespace
} // namespace trommik2
