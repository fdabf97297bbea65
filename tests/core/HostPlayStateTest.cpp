#include <gtest/gtest.h>

#include "core/HostPlayState.h"

namespace trommik2 {
namespace {

TEST(HostPlayState, PlayingMeansBlocksWhoseHostPositionMoves) {
    HostPlayState state;
    EXPECT_FALSE(state.playing()) << "before any block";
    state.blockRendered(4096);
    EXPECT_FALSE(state.playing()) << "one block shows no movement";
    state.blockRendered(4096);
    EXPECT_FALSE(state.playing()) << "rendering with the transport stopped";
    state.blockRendered(4608);
    EXPECT_TRUE(state.playing());
    state.stop();
    EXPECT_FALSE(state.playing()) << "suspended";
    state.blockRendered(0);
    EXPECT_TRUE(state.playing()) << "a jump is a movement too";
}

} // namespace
} // namespace trommik2
