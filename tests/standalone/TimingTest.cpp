// The transport, MIDI clock tempo and the placing of MIDI in a callback.
#include <gtest/gtest.h>

#include "apps/standalone/CallbackClock.h"
#include "apps/standalone/ClockTempo.h"
#include "apps/standalone/Transport.h"

namespace {

// At 120 BPM and 44100 Hz a bar is 88200 samples, a thirty-second step 2756.
constexpr int64_t kBar = 88200;

TEST(Transport, PlaysFromTheTopAndWrapsAfterTwelveBars) {
    Transport transport(44100, 120.0f);
    EXPECT_FALSE(transport.playing());
    transport.start();
    EXPECT_EQ(transport.modulePosition(), 0);
    for (int i = 0; i < 12 * 882; ++i) // twelve bars in blocks of 100
        transport.advance(100);
    EXPECT_EQ(transport.position(), 0);
    transport.advance(300);
    EXPECT_EQ(transport.modulePosition(), 300);
}

TEST(Transport, StoppedItRestsBetweenTheFirstStepsAndResumesWhereItWas) {
    Transport transport(44100, 120.0f);
    transport.start();
    transport.advance(5000);
    transport.stop();
    EXPECT_EQ(transport.modulePosition(), 1);
    EXPECT_EQ(transport.chunk(4096), 2755) << "less than one step, so no step is reached";
    EXPECT_EQ(transport.chunk(256), 256);
    transport.advance(256);
    transport.resume();
    EXPECT_EQ(transport.modulePosition(), 5000);
}

TEST(Transport, SongPositionAndTempoChangesKeepThePlaceInTheBar) {
    Transport transport(44100, 120.0f);
    transport.start();
    transport.setSongPosition(16 + 4); // bar 2, beat 2
    EXPECT_EQ(transport.position(), kBar + 4 * 2 * 2756);
    transport.setSongPosition(12 * 16); // twelve bars: the top of the cycle again
    EXPECT_EQ(transport.position(), 0);
    transport.setSongPosition(16 * 3);
    transport.setTempo(60.0f); // bars twice as long: the fourth bar still begins here
    EXPECT_EQ(transport.position(), 3 * 2 * kBar);
}

TEST(ClockTempo, OneBeatOfTicksGivesTheTempoAndSmallWobblesAreKept) {
    ClockTempo clock;
    float bpm = 0.0f;
    const int64_t tick = 500000000 / 24; // 120 BPM
    int reports = 0;
    for (int i = 0; i <= 24; ++i)
        reports += clock.tick(i * tick, &bpm) ? 1 : 0;
    EXPECT_EQ(reports, 1) << "known after one whole beat";
    EXPECT_NEAR(bpm, 120.0f, 0.01f);
    EXPECT_FALSE(clock.tick(25 * tick + 2000, &bpm)) << "a tick 2 us late moves the beat by less than 0.01 BPM";
    for (int i = 26; i <= 60; ++i)
        clock.tick(25 * tick + (i - 25) * tick * 120 / 100, &bpm);
    EXPECT_NEAR(bpm, 100.0f, 0.01f);
}

TEST(CallbackClock, EventsOfThePreviousPeriodKeepTheirSpacing) {
    // 441 frames at 44100 Hz: a period of 10 ms.
    CallbackClock clock(44100);
    const int64_t ms = 1000000;
    clock.begin(100 * ms, 441);
    clock.begin(110 * ms + 3 * ms / 10, 441); // woken 0.3 ms late: smoothed
    EXPECT_LT(clock.start(), 110 * ms + 3 * ms / 10);
    EXPECT_GT(clock.start(), 110 * ms);
    const int64_t previous = clock.start() - 10 * ms;
    EXPECT_EQ(clock.frameOf(previous + 2 * ms), 88);
    EXPECT_EQ(clock.frameOf(previous + 7 * ms), 308);
    EXPECT_EQ(clock.frameOf(previous - 5 * ms), 0) << "late events play first";
    clock.begin(500 * ms, 441); // after a stall: starts afresh
    EXPECT_EQ(clock.start(), 500 * ms);
}

} // namespace
