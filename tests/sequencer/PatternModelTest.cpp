#include <gtest/gtest.h>

#include <sequencer/KnobSlots.h>
#include <sequencer/TrackDataClipboard.h>

#include "RecordingTarget.h"

using namespace trommik2;
using namespace trommik2::test;

TEST(SequencerTiming, PositionsAt120BpmAnd44100Hz) {
    auto s = emptySequencer();
    EXPECT_EQ(s->samplesPerStep(), 2756); // 88200 / 32
    EXPECT_EQ(s->patternLength(), 176400);
    EXPECT_EQ(s->track(7).position(1), 2756);
    EXPECT_EQ(s->track(7).position(127), 127 * 2756);
    s->setBars(1);
    EXPECT_EQ(s->patternLength(), 88200);
    s->setBars(4);
    EXPECT_EQ(s->patternLength(), 352800);
}

TEST(SequencerTiming, ShuffleShiftsOnlyTheSecondSixteenthOfEachEighth) {
    auto s = emptySequencer();
    s->setShuffle(50);
    const TrackPattern& t = s->track(15);
    EXPECT_EQ(t.position(2), 5512 + 1378);
    EXPECT_EQ(t.position(1), 2756);
    EXPECT_EQ(t.position(3), 3 * 2756);
    EXPECT_EQ(t.position(4), 11024);
    EXPECT_EQ(t.position(126), 126 * 2756 + 1378);
    s->setShuffle(33); // 33 * 2756 / 100 = 909.48, truncated
    EXPECT_EQ(t.position(2), 5512 + 909);
    s->setShuffle(100);
    EXPECT_EQ(t.position(2), t.position(3));
    s->setShuffle(0);
    EXPECT_EQ(t.position(2), 5512);
}

TEST(SequencerTiming, RateAndTempoRecomputeWithTruncation) {
    auto s = emptySequencer();
    s->setTempo(133.0f); // 60 / 33.25 * 44100 = 79578.9 samples per bar
    EXPECT_EQ(s->patternLength(), 2 * 79578);
    EXPECT_EQ(s->samplesPerStep(), 2486);
    s->setTempo(120.0f);
    s->setSampleRate(48000);
    EXPECT_EQ(s->patternLength(), 192000);
    EXPECT_EQ(s->samplesPerStep(), 3000);
    EXPECT_EQ(s->track(3).position(5), 15000);
}

TEST(SequencerTiming, NonsenseTimingNeverLeavesThePatternWithoutLength) {
    auto s = emptySequencer();
    RecordingTarget target;
    s->track(0).setStep(0, 100);
    for (float tempo : {0.0f, -120.0f, 1e9f}) {
        s->startBlock(44100, 0, tempo);
        EXPECT_GT(s->patternLength(), 0) << tempo;
        EXPECT_GT(s->samplesPerStep(), 0) << tempo;
        s->processSubBlock(64, target);
    }
    s->setTempo(120.0f);
    s->setBars(0);
    s->processSubBlock(64, target); // must not divide by zero
    s->setBars(2);
    s->setShuffle(-2000000000);
    s->setShuffle(2000000000);
    EXPECT_GT(s->track(0).position(2), 0) << "saturates instead of overflowing";
}

TEST(Pattern, DefaultIsAQuarterNoteHitOnTheSnareTrack) {
    Sequencer s(parameterTable());
    EXPECT_EQ(s.bars(), 2);
    EXPECT_EQ(s.shuffle(), 0);
    EXPECT_FLOAT_EQ(s.tempo(), 120.0f);
    EXPECT_FLOAT_EQ(s.sampleRate(), 44100.0f);
    for (int i = 0; i < Sequencer::kSlotCount; ++i)
        EXPECT_EQ(s.track(1).velocity(i), i < 64 && i % 8 == 0 ? 127 : 0) << i;
    EXPECT_EQ(s.track(1).stepMask().word(0), 0x01010101u);
    EXPECT_EQ(s.track(1).stepMask().word(1), 0x01010101u);
    EXPECT_EQ(s.track(1).stepMask().word(2), 0u);
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        EXPECT_EQ(s.track(t).hasSteps(), t == 1) << t;
    EXPECT_FLOAT_EQ(s.track(4).automationScale(OutPan), 1.0f);
    EXPECT_FLOAT_EQ(s.track(4).automationRandom(OutPan), 0.0f);
}

TEST(Pattern, StepsAndPointsKeepMasksAndValuesTogether) {
    auto s = emptySequencer();
    TrackPattern& t = s->track(3);
    t.setStep(33, 90);
    t.setStep(127, 1);
    EXPECT_EQ(t.stepMask().word(1), 1u << 1);
    EXPECT_EQ(t.stepMask().word(3), 1u << 31);
    t.setStep(33, 0);
    EXPECT_FALSE(t.stepMask().test(33));
    EXPECT_EQ(t.velocity(33), 0);
    t.setStep(40, -5); // stored as given, but not a step
    EXPECT_EQ(t.velocity(40), -5);
    EXPECT_FALSE(t.stepMask().test(40));
    t.clearStep(127);
    EXPECT_FALSE(t.hasSteps());

    t.setAutomationPoint(FilterFreq, 64, 2500.0f);
    EXPECT_TRUE(t.automationMask(FilterFreq).test(64));
    EXPECT_EQ(t.automationMask(FilterFreq).word(2), 1u);
    EXPECT_FALSE(t.hasAutomation(FilterQ));
    t.setAutomationPoint(OutPan, 5, 0.0f); // a zero value is no point, as after a document round trip
    EXPECT_FALSE(t.hasAutomation(OutPan));
    t.clearAutomationPoint(FilterFreq, 64);
    EXPECT_FLOAT_EQ(t.automationValue(FilterFreq, 64), 0.0f);
    EXPECT_FALSE(t.hasAnyAutomation());

    // Out-of-range indices change nothing and read as empty.
    t.setStep(128, 100);
    t.setStep(-1, 100);
    t.setAutomationPoint(kParameterCount, 0, 1.0f);
    t.setAutomationPoint(FilterQ, 200, 1.0f);
    t.setAutomationScale(-1, 5.0f);
    EXPECT_FALSE(t.hasSteps());
    EXPECT_FALSE(t.hasAnyAutomation());
    EXPECT_EQ(t.velocity(500), 0);
    EXPECT_FALSE(t.automationMask(99).any());
}

TEST(Pattern, ClearEmptiesATrackButKeepsItsTiming) {
    auto s = emptySequencer();
    s->setShuffle(50);
    TrackPattern& t = s->track(6);
    t.setStep(2, 100);
    t.setAutomationPoint(EnvDecay, 2, 300.0f);
    t.setAutomationScale(EnvDecay, 0.25f);
    t.setAutomationRandom(EnvDecay, 0.5f);
    t.setVelocityRandom(0.3f);
    t.clear();
    EXPECT_FALSE(t.hasSteps());
    EXPECT_FALSE(t.hasAnyAutomation());
    EXPECT_EQ(t.velocity(2), 0);
    EXPECT_FLOAT_EQ(t.automationValue(EnvDecay, 2), 0.0f);
    EXPECT_FLOAT_EQ(t.automationScale(EnvDecay), 1.0f);
    EXPECT_FLOAT_EQ(t.automationRandom(EnvDecay), 0.0f);
    EXPECT_FLOAT_EQ(t.velocityRandom(), 0.0f);
    EXPECT_EQ(t.position(2), 5512 + 1378);
}

TEST(KnobSlots, DefaultsPerTrack) {
    KnobSlots k;
    const int common[] = {4, 6, 46, 47, 41, 57, 52, 53, 54, 55};
    const int voiced[5][6] = {
        {6, 11, 46, 48, 41, 57},  {5, 10, 46, 47, 41, 57},  {13, 41, 15, 46, 57, 58},
        {16, 12, 41, 15, 57, 58}, {20, 21, 25, 41, 57, 58},
    };
    for (int t = 0; t < KnobSlots::kTrackCount; ++t)
        for (int slot = 0; slot < KnobSlots::kSlotCount; ++slot) {
            const int expected = t < 5 && slot < 6 ? voiced[t][slot] : common[slot];
            EXPECT_EQ(k.assigned(t, 10002 + slot), expected) << "track " << t << " slot " << slot;
        }
}

TEST(KnobSlots, OnlyIdentifiers10002To10011AreAssigned) {
    KnobSlots k;
    const KnobSlots before = k;
    k.assign(3, 10012, 30);
    k.assign(3, 10001, 30);
    k.assign(16, 10002, 30);
    k.assign(-1, 10002, 30);
    for (int t = 0; t < KnobSlots::kTrackCount; ++t)
        for (int slot = 0; slot < KnobSlots::kSlotCount; ++slot)
            EXPECT_EQ(k.parameter(t, slot), before.parameter(t, slot));
    EXPECT_EQ(k.assigned(3, 10012), -1);
    k.assign(3, 10011, 30);
    EXPECT_EQ(k.parameter(3, 9), 30);
    k.assign(3, 10002, 2);
    EXPECT_EQ(k.parameter(3, 0), 2);
    k.setDefaults();
    EXPECT_EQ(k.parameter(3, 0), 16);
}

TEST(TrackDataClipboard, CopiesValuesAndRebuildsMasksOnPaste) {
    auto s = emptySequencer();
    TrackPattern& source = s->track(2);
    source.setStep(0, 127);
    source.setStep(100, 33);
    source.setAutomationPoint(FilterFreq, 100, 800.0f);
    source.setAutomationScale(FilterFreq, 0.5f);
    source.setAutomationRandom(OutPan, 0.75f);
    source.setVelocityRandom(0.2f);

    TrackPattern& target = s->track(5);
    target.setStep(7, 64);
    target.setAutomationPoint(FilterFreq, 7, 300.0f); // the source holds 0.0 there
    target.setAutomationPoint(FXParam1, 3, 0.5f);

    TrackDataClipboard clipboard;
    EXPECT_FALSE(clipboard.hasData());
    EXPECT_FALSE(clipboard.paste(target)) << "nothing copied yet";
    EXPECT_EQ(target.velocity(7), 64);

    clipboard.copy(source);
    EXPECT_TRUE(clipboard.hasData());
    source.clear(); // the clipboard holds its own copy
    EXPECT_TRUE(clipboard.paste(target));

    EXPECT_EQ(target.velocity(0), 127);
    EXPECT_EQ(target.velocity(100), 33);
    EXPECT_EQ(target.velocity(7), 0);
    EXPECT_EQ(target.stepMask().word(0), 1u);
    EXPECT_EQ(target.stepMask().word(3), 1u << 4);
    EXPECT_FLOAT_EQ(target.automationValue(FilterFreq, 100), 800.0f);
    EXPECT_TRUE(target.automationMask(FilterFreq).test(100));
    EXPECT_FALSE(target.automationMask(FilterFreq).test(7));
    EXPECT_FALSE(target.hasAutomation(FXParam1));
    EXPECT_FLOAT_EQ(target.automationScale(FilterFreq), 0.5f);
    EXPECT_FLOAT_EQ(target.automationRandom(OutPan), 0.75f);
    EXPECT_FLOAT_EQ(target.velocityRandom(), 0.2f);
    EXPECT_EQ(target.position(100), 100 * 2756);
}
