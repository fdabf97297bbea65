#include <gtest/gtest.h>

#include <cstdint>

#include "RecordingTarget.h"

using namespace trommik2;
using namespace trommik2::test;

namespace {

// 1024 samples per bar (1024 Hz at 240 BPM): 32 samples per step, so slot 2
// sits exactly at 64, the start of the second sub-block.
constexpr int kShortRate = 1024;
constexpr float kShortTempo = 240.0f;

std::unique_ptr<Sequencer> shortBarSequencer() {
    auto s = emptySequencer();
    s->startBlock(kShortRate, 0, kShortTempo);
    return s;
}

// The draws expected from the seeds, worked out by hand: each draw reads B as a
// signed word scaled by 2^-31, low-passes it (0.6 old + 0.4 new), then steps
// the words with t = A xor B, B = B + t, A = t:
// (67452301, EFCDAB89) -> (88888888, 78563411) -> (F0DEBC99, 6934F0AA) -> (99EA4C33, 031F3CDD).
std::vector<float> expectedDraws() {
    const int32_t b[] = {static_cast<int32_t>(0xEFCDAB89u), 0x78563411, 0x6934F0AA, 0x031F3CDD};
    std::vector<float> draws;
    float state = 0.0f;
    for (int32_t word : b) {
        state = state * 0.6f + static_cast<float>(word) * (1.0f / 2147483648.0f) * 0.4f;
        draws.push_back(state);
    }
    return draws;
}

} // namespace

TEST(Playback, SlotsTriggerInTheSubBlockThatHoldsTheirPosition) {
    auto s = shortBarSequencer();
    s->track(4).setStep(0, 127);
    s->track(4).setStep(2, 127); // position 64
    RecordingTarget target;
    s->processSubBlock(64, target);
    ASSERT_EQ(target.events.size(), 1u);
    EXPECT_EQ(target.events[0].track, 4);
    EXPECT_EQ(s->position(), 64);
    s->processSubBlock(64, target);
    EXPECT_EQ(target.triggerCount(4), 2);
    EXPECT_TRUE(s->track(4).played(2));
    EXPECT_FALSE(s->track(4).played(0));

    // The same at real timing: the default pattern's first hit at host position 0.
    Sequencer d(parameterTable());
    RecordingTarget real;
    d.startBlock(44100, 0, 120.0f);
    d.processSubBlock(64, real);
    ASSERT_EQ(real.events.size(), 1u);
    EXPECT_EQ(real.events[0].track, Sequencer::kDefaultTrack);
    EXPECT_FLOAT_EQ(real.events[0].value, 1.0f);
}

TEST(Playback, PositionFollowsTheHostAndWrapsAtThePatternLength) {
    auto s = emptySequencer();
    RecordingTarget target;
    s->startBlock(44100, 1000000, 120.0f);
    s->processSubBlock(64, target);
    EXPECT_EQ(s->position(), 1000064 % 176400);
    EXPECT_EQ(s->currentBar(), 118064 / 2756 / 32);
    EXPECT_EQ(s->currentBar(), 1);
    s->processSubBlock(17, target);
    EXPECT_EQ(s->position(), 118081);
}

TEST(Playback, WindowAcrossTheWrapCoversOnlyTheSamplesAfterIt) {
    // 250 Hz at 240 BPM: 250 samples per bar, 4 bars = 1000 samples, 7 per step.
    auto s = emptySequencer();
    s->setBars(4);
    TrackPattern& t = s->track(9);
    for (int i = 0; i < Sequencer::kSlotCount; ++i)
        t.setStep(i, 100);
    RecordingTarget target;
    s->startBlock(250, 990, 240.0f);
    ASSERT_EQ(s->patternLength(), 1000);
    s->processSubBlock(64, target);
    EXPECT_EQ(s->position(), 54);
    EXPECT_EQ(target.triggerCount(9), 8) << "slots 0..7 at 0..49 lie in -10..54; slot 8 at 56 does not";
    EXPECT_TRUE(t.played(7));
    EXPECT_FALSE(t.played(8));
    EXPECT_FALSE(t.played(127)) << "at 889, before the wrap point";

    // Before the pattern start (a negative host position) nothing lies in the window.
    RecordingTarget early;
    s->startBlock(250, -100, 240.0f);
    s->processSubBlock(64, early);
    EXPECT_EQ(s->position(), -36);
    EXPECT_TRUE(early.events.empty());
}

TEST(Playback, ASlotTriggersOnceUntilAWindowLeavesIt) {
    auto s = shortBarSequencer();
    s->track(1).setStep(1, 127); // position 32
    RecordingTarget target;
    s->processSubBlock(64, target); // window 0..64
    EXPECT_EQ(target.triggerCount(1), 1);
    s->startBlock(kShortRate, 10, kShortTempo); // the host repeats: 10..74 still covers 32
    s->processSubBlock(64, target);
    EXPECT_EQ(target.triggerCount(1), 1);
    EXPECT_TRUE(s->track(1).played(1));
    s->processSubBlock(64, target); // 74..138 leaves it and re-arms it
    EXPECT_FALSE(s->track(1).played(1));
    s->startBlock(kShortRate, 0, kShortTempo);
    s->processSubBlock(64, target);
    EXPECT_EQ(target.triggerCount(1), 2);
}

TEST(Playback, VelocityIsScaledToOneAndSpreadByTheRandomDraw) {
    auto s = shortBarSequencer();
    s->track(0).setStep(0, 127);
    s->track(1).setStep(0, 64);
    s->track(2).setStep(0, 40);
    s->track(2).setVelocityRandom(0.5f);
    s->track(3).setStep(0, 300); // out of range from a bad document: clamped
    RecordingTarget target;
    s->processSubBlock(64, target);
    ASSERT_EQ(target.events.size(), 4u);
    const std::vector<float> x = expectedDraws();
    EXPECT_FLOAT_EQ(target.events[0].value, 1.0f);
    EXPECT_FLOAT_EQ(target.events[1].value, 64.0f / 127.0f);
    // Every hit draws, spread or not: track 2's hit takes the third draw.
    EXPECT_FLOAT_EQ(target.events[2].value, (0.5f * 127.0f * x[2] + 40.0f) / 127.0f);
    EXPECT_FLOAT_EQ(target.events[3].value, 1.0f);
    EXPECT_FLOAT_EQ(s->randomState(), x[3]);
}

TEST(Playback, RandomDrawsFollowTheSeededWords) {
    auto s = shortBarSequencer();
    TrackPattern& t = s->track(0);
    t.setStep(0, 64);
    t.setVelocityRandom(0.5f);
    t.setAutomationPoint(FilterQ, 0, 0.2f);
    t.setAutomationRandom(FilterQ, 0.5f);
    RecordingTarget target;
    s->processSubBlock(64, target); // slots 0 and 1 (0 and 32) are in the window
    const std::vector<float> x = expectedDraws();
    ASSERT_EQ(target.events.size(), 3u);
    EXPECT_FLOAT_EQ(target.events[0].value, (0.5f * 127.0f * x[0] + 64.0f) / 127.0f);
    EXPECT_FLOAT_EQ(target.events[1].value, 1.0f * x[1] * 0.5f + 0.2f);
    EXPECT_FLOAT_EQ(target.events[2].value, x[2] * 0.5f) << "slot 1 has no point and automates from 0";
    EXPECT_FLOAT_EQ(s->randomState(), x[2]);
}

TEST(Playback, AutomationIsScaledSpreadOverItsRangeAndClamped) {
    auto s = shortBarSequencer();
    TrackPattern& t = s->track(5);
    t.setStep(2, 100); // outside the first window: automation does not look at steps
    t.setAutomationPoint(FilterFreq, 0, 100.0f);
    t.setAutomationRandom(FilterFreq, 0.5f);
    t.setAutomationScale(FilterFreq, 0.5f);
    t.setAutomationPoint(OutLevelDB, 0, 20.0f);
    t.setAutomationPoint(OutLevelDB, 1, -30.0f);
    t.setAutomationScale(OutLevelDB, 2.0f);
    RecordingTarget target;
    s->processSubBlock(64, target);
    const std::vector<float> x = expectedDraws();
    ASSERT_EQ(target.events.size(), 4u);
    EXPECT_EQ(target.events[0].parameter, FilterFreq);
    ASSERT_LT(18000.0f * x[0] * 0.5f + 100.0f, 0.0f);
    EXPECT_FLOAT_EQ(target.events[0].value, 0.0f) << "the first draw is negative enough to clamp";
    EXPECT_EQ(target.events[1].parameter, FilterFreq);
    EXPECT_FLOAT_EQ(target.events[1].value, (18000.0f * x[1] * 0.5f + 0.0f) * 0.5f) << "slot 1 automates from 0";
    EXPECT_EQ(target.events[2].parameter, OutLevelDB);
    EXPECT_FLOAT_EQ(target.events[2].value, 24.0f);
    EXPECT_FLOAT_EQ(target.events[3].value, -48.0f);
}

TEST(Playback, AutomationScaleZeroOrBelowIsNeverApplied) {
    auto s = shortBarSequencer();
    TrackPattern& t = s->track(0);
    t.setStep(0, 100);
    t.setAutomationPoint(FilterQ, 0, 0.5f);
    t.setAutomationScale(FilterQ, 0.0f);
    t.setAutomationPoint(FilterEnvAmt, 0, 0.5f);
    t.setAutomationScale(FilterEnvAmt, -1.0f);
    t.setAutomationPoint(OutPan, 0, 0.5f);
    RecordingTarget target;
    s->processSubBlock(64, target);
    for (const RecordingTarget::Event& e : target.events)
        EXPECT_TRUE(e.isTrigger || e.parameter == OutPan) << "parameter " << e.parameter;
    EXPECT_EQ(target.events.size(), 3u) << "the hit, then OutPan at slots 0 and 1";
}

TEST(Playback, TracksWithoutStepsOrMutedPlayNothing) {
    auto s = shortBarSequencer();
    s->track(2).setAutomationPoint(OutPan, 0, 0.5f); // points but no step
    s->track(6).setStep(0, 100);
    s->track(6).setAutomationPoint(OutPan, 0, 0.5f);
    RecordingTarget target;
    target.muted[6] = true;
    s->processSubBlock(64, target);
    EXPECT_TRUE(target.events.empty());
    EXPECT_FLOAT_EQ(s->randomState(), 0.0f) << "no draw taken";
    EXPECT_FALSE(s->track(6).played(0));
    target.muted[6] = false;
    s->startBlock(kShortRate, 0, kShortTempo);
    s->processSubBlock(64, target);
    EXPECT_EQ(target.triggerCount(6), 1);
}

TEST(Playback, AllTriggersComeBeforeAnyAutomation) {
    auto s = shortBarSequencer();
    for (int t : {3, 8}) {
        s->track(t).setStep(0, 100);
        s->track(t).setAutomationPoint(FXParam2, 0, 0.25f);
    }
    RecordingTarget target;
    s->processSubBlock(32, target); // only slot 0 in the window
    ASSERT_EQ(target.events.size(), 4u);
    EXPECT_TRUE(target.events[0].isTrigger && target.events[0].track == 3);
    EXPECT_TRUE(target.events[1].isTrigger && target.events[1].track == 8);
    EXPECT_TRUE(!target.events[2].isTrigger && target.events[2].track == 3);
    EXPECT_TRUE(!target.events[3].isTrigger && target.events[3].track == 8);
}

TEST(Playback, OneBarSilencesSlotsOfTheSecondBarUntilTwoBarsAgain) {
    auto s = emptySequencer();
    s->track(11).setStep(40, 127);
    auto playWholePattern = [&s]() {
        RecordingTarget target;
        s->startBlock(44100, 0, 120.0f);
        for (int done = 0; done < s->patternLength(); done += 64)
            s->processSubBlock(64, target);
        return target.triggerCount(11);
    };
    s->setBars(1);
    EXPECT_EQ(playWholePattern(), 0);
    s->setBars(2);
    EXPECT_EQ(playWholePattern(), 1);
}

// Most sub-blocks hold no slot of any track; a track with nothing marked
// played then skips its pass. A slot played before such blocks is still
// re-armed: a host that jumps back (before or after the quiet blocks) hears it again.
TEST(Playback, AQuietStretchKeepsPlayedSlotsReArmed) {
    for (int quietBlocks : {0, 1, 40}) {
        SCOPED_TRACE(quietBlocks);
        auto s = emptySequencer();
        s->track(3).setStep(1, 100); // at 2756
        s->track(12).setStep(3, 90); // at 8268, never reached
        RecordingTarget target;
        s->startBlock(44100, 2700, 120.0f);
        s->processSubBlock(64, target);
        EXPECT_EQ(target.triggerCount(3), 1);
        for (int b = 0; b < quietBlocks; ++b)
            s->processSubBlock(64, target);
        EXPECT_EQ(s->track(3).played(1), quietBlocks == 0);
        s->startBlock(44100, 2700, 120.0f);
        s->processSubBlock(64, target);
        EXPECT_EQ(target.triggerCount(3), quietBlocks == 0 ? 1 : 2);
        EXPECT_EQ(target.triggerCount(12), 0);
    }
}
