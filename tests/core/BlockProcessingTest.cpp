#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CoreTestSupport.h"

using namespace trommik2;

TEST(BlockProcessing, HitsStartAtTheControlBlockThatHoldsTheirSlot) {
    Rig rig;
    int length = rig.machine->sequencer().patternLength(); // 176400, 44 past a grid point
    // 100 samples before the wrap: a short control block up to the grid point,
    // one whole block, and then the block that holds slot 0 (at the wrap), 84
    // samples into the host block.
    rig.position = length - 100;
    std::vector<float> left = rig.renderLeft(130, 130);
    EXPECT_LT(peak(left, 0, 84), 1e-6);
    EXPECT_GT(peak(left, 84, 130), 1e-3);
    EXPECT_EQ(rig.machine->sequencer().position(), 48) << "the third control block ends 48 past the wrap";
}

// A host that loops its transport at the pattern's end: the control block that
// crossed the end was rendered ahead but not heard, so the downbeat it held
// still plays when the host jumps back to the start.
TEST(BlockProcessing, AJumpBackPlaysTheStepsOfTheUnheardPart) {
    Rig rig;
    const int length = rig.machine->sequencer().patternLength();
    rig.renderLeft(length);
    rig.position = 0;
    rig.machine->bank().silenceTrack(Sequencer::kDefaultTrack);
    std::vector<float> left = rig.renderLeft(512);
    EXPECT_GT(peak(left, 0, 512), 1e-3);
}

TEST(BlockProcessing, ProcessAddsToTheHostBuffer) {
    Rig rig;
    std::vector<float> reference = rig.renderLeft(512);
    Rig adding;
    std::vector<float> left(512, 0.5f);
    std::vector<float> right(512, 0.5f);
    float* outputs[2] = {left.data(), right.data()};
    adding.machine->setParameter(99999, 0.0f);
    adding.machine->process(nullptr, outputs, 512);
    for (size_t i = 0; i < 512; ++i)
        ASSERT_FLOAT_EQ(left[i], 0.5f + reference[i]) << i;
}

TEST(BlockProcessing, SilenceIsTheMasterResponseToTheAntiDenormalConstant) {
    Rig rig;
    rig.clearPattern();
    std::vector<float> left = rig.renderLeft(44100);
    EXPECT_NE(left[0], 0.0f) << "not exact zeros";
    EXPECT_LT(std::fabs(left[0]), 1e-9f);
    EXPECT_LT(std::fabs(left.back()), std::fabs(left[0])) << "decays through the high-pass";
}

TEST(BlockProcessing, MuteSoloAndSoloOfAMutedTrack) {
    Rig audible;
    EXPECT_GT(peak(audible.renderLeft(4096), 0, 4096), 0.05);

    Rig muted;
    muted.machine->setParameter(10028 + 1, 1.0f);
    EXPECT_LT(peak(muted.renderLeft(4096), 0, 4096), 1e-6);

    Rig otherSoloed;
    otherSoloed.machine->setParameter(10044 + 0, 1.0f);
    EXPECT_LT(peak(otherSoloed.renderLeft(4096), 0, 4096), 1e-6) << "only soloed tracks play";

    Rig soloMuted;
    soloMuted.machine->setParameter(10028 + 1, 1.0f);
    soloMuted.machine->setParameter(10044 + 1, 1.0f);
    EXPECT_GT(peak(soloMuted.renderLeft(4096), 0, 4096), 0.05) << "a soloed track plays even when muted";
}

TEST(BlockProcessing, MutingSilencesASoundingTrackAtOnce) {
    Rig rig;
    rig.renderLeft(2048);
    rig.machine->setParameter(10028 + 1, 1.0f);
    rig.machine->setParameter(10028 + 1, 0.0f);
    std::vector<float> after = rig.renderLeft(2048);
    EXPECT_LT(peak(after, 0, 2048), 1e-3) << "the tail was cut although the track is unmuted again";
}

TEST(BlockProcessing, RendersAreDeterministic) {
    Rig a;
    Rig b;
    std::vector<float> first = a.renderLeft(3 * 44100, 512);
    std::vector<float> second = b.renderLeft(3 * 44100, 512);
    EXPECT_EQ(first, second);
    EXPECT_EQ(a.lastRight, b.lastRight);
}

TEST(BlockProcessing, MetersFollowTheOutput) {
    Rig rig;
    rig.renderLeft(1024);
    float left = rig.machine->getParameter(10017);
    EXPECT_GT(left, 0.01f);
    EXPECT_LE(left, 1.0f);
    rig.machine->suspend();
    EXPECT_EQ(rig.machine->getParameter(10017), 0.0f);
    EXPECT_EQ(rig.machine->getParameter(10018), 0.0f);
}

TEST(BlockProcessing, AutomationMovesTheOffsetAndLeavesTheInstrumentAsSaved) {
    Rig rig;
    TrackPattern& snare = rig.machine->sequencer().track(1);
    for (int slot = 0; slot < 64; ++slot)
        snare.setAutomationPoint(OutPan, slot, -0.5f);
    rig.renderLeft(4096);
    InstrumentBank& bank = rig.machine->bank();
    EXPECT_FLOAT_EQ(bank.value(1, OutPan), -0.5f) << "the automated value plays";
    EXPECT_FLOAT_EQ(bank.baseValue(1, OutPan), 0.0f) << "the instrument keeps its own pan";
    std::string text;
    ASSERT_TRUE(rig.machine->instrumentDocument().instrumentToText(1, text));
    EXPECT_NE(text.find("id=\"OutPan\" value=\"0.000000\""), std::string::npos)
        << "documents keep the instrument's value";
    rig.machine->setParameter(10001, 1.0f);
    rig.machine->setParameter(10080, static_cast<float>(OutPan));
    EXPECT_FLOAT_EQ(bank.value(1, OutPan), 0.0f) << "resetting the modulation returns to the instrument's value";
}

// Each track's own output rides along in any cut of the blocks; the mix stays as it is.
TEST(BlockProcessing, TrackOutputsCarryEachTrackBesideAnUnchangedMix) {
    Rig plain;
    const std::vector<float> mix = plain.renderLeft(8192, 333);
    Rig rig;
    std::vector<float> left(8192), right(8192);
    std::vector<std::vector<float>> tracks(32, std::vector<float>(8192, 1.0f));
    for (int done = 0; done < 8192; done += 333) {
        const int n = std::min(333, 8192 - done);
        float* outputs[2] = {left.data() + done, right.data() + done};
        float* trackOutputs[32] = {};
        for (int c = 0; c < 32; ++c)
            trackOutputs[c] = tracks[c].data() + done;
        trackOutputs[5] = nullptr; // a host may leave some out
        rig.machine->renderer().setHostPosition(done);
        rig.machine->renderer().render(outputs, n, false, trackOutputs);
    }
    EXPECT_TRUE(left == mix);
    EXPECT_GT(peak(tracks[2 * Sequencer::kDefaultTrack]), 1e-2) << "the default pattern's track";
    EXPECT_EQ(peak(tracks[0]), 0.0) << "a track that never sounds";
    EXPECT_EQ(peak(tracks[5]), 1.0) << "an output left out is not written";
}

// Voices write their own outputs only for a host that asks for them: one that
// starts asking within a control block gets silence for the rest of that block.
TEST(BlockProcessing, TrackOutputsAskedForWithinABlockStartAtTheNext) {
    Rig rig;
    std::vector<float> left(256), right(256), snare(256, 1.0f);
    float* outputs[2] = {left.data(), right.data()};
    rig.machine->renderer().render(outputs, 100, false);
    float* firstOutputs[2] = {left.data() + 100, right.data() + 100};
    float* trackOutputs[32] = {};
    trackOutputs[2 * Sequencer::kDefaultTrack] = snare.data() + 100;
    rig.machine->renderer().setHostPosition(100);
    rig.machine->renderer().render(firstOutputs, 156, false, trackOutputs);
    EXPECT_EQ(peak(snare, 100, 128), 0.0) << "the rest of the block rendered without them";
    EXPECT_GT(peak(snare, 128, 256), 1e-3) << "the next block's";
}

TEST(BlockProcessing, AStandingTransportPlaysNoSteps) {
    Rig rig;
    rig.machine->renderer().setTransportRolling(false);
    EXPECT_LT(peak(rig.renderLeft(44100)), 1e-6);
    rig.machine->renderer().requestTrigger(Sequencer::kDefaultTrack, 1.0f);
    EXPECT_GT(peak(rig.renderLeft(4096)), 1e-2) << "hits requested still sound";
}
