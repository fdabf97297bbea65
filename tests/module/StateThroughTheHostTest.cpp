// The state as a host moves it: memory streams through operations 5 and 6,
// the carry-over when a context is opened again, and a hand-edited setup.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "HostHarness.h"
#include "common/SignalAnalysis.h"

namespace {

void replace(std::string& text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// The velocity text of one track in a state.
void setVelocities(std::string& state, int track, const std::string& velocities) {
    size_t at = state.find("<track number=\"" + std::to_string(track) + "\"");
    ASSERT_NE(at, std::string::npos);
    size_t start = state.find("<velocity>", at) + 10;
    state.replace(start, 256, velocities);
}

} // namespace

TEST(StateThroughTheHost, ReopeningAContextCarriesTheRealStateOver) {
    LoadedModule module;
    ASSERT_NE(module.entry, nullptr);
    HostContext original = freshContext();
    ASSERT_EQ(module.entry(1, &original), 1);
    std::string state = saveText(module.entry, original);
    replace(state, "name=\"\" volume=\"0.000000\" mute=\"0\"", "name=\"Carried\" volume=\"-12.000000\" mute=\"5\"");
    replace(state, "shuffle=\"0\" numbars=\"2\"", "shuffle=\"40\" numbars=\"3\"");
    ASSERT_EQ(loadText(module.entry, original, state), 1);
    std::string edited = saveText(module.entry, original);
    EXPECT_EQ(edited, state) << "the edited state is what the instance now holds";

    HostContext copy = original; // a host duplicating an instance copies its context
    ASSERT_EQ(module.entry(1, &copy), 1);
    EXPECT_NE(copy.plugin, original.plugin);
    EXPECT_EQ(saveText(module.entry, copy), edited);

    HostContext fresh = freshContext();
    ASSERT_EQ(module.entry(1, &fresh), 1);
    EXPECT_NE(saveText(module.entry, fresh), edited) << "a new context starts from the factory state";
    for (HostContext* c : {&fresh, &copy, &original})
        EXPECT_EQ(module.entry(2, c), 1);
}

TEST(StateThroughTheHost, RefusedStatesReportZero) {
    LoadedModule module;
    ASSERT_NE(module.entry, nullptr);
    HostContext context = freshContext();
    ASSERT_EQ(module.entry(1, &context), 1);
    std::string before = saveText(module.entry, context);
    EXPECT_EQ(loadText(module.entry, context, ""), 0);
    EXPECT_EQ(loadText(module.entry, context, "<setup volume=\"-40\" />"), 0);
    EXPECT_EQ(loadText(module.entry, context, before.substr(0, before.size() / 2)), 0);
    EXPECT_EQ(saveText(module.entry, context), before);
    EXPECT_EQ(module.entry(2, &context), 1);
}

TEST(StateThroughTheHost, AHandEditedSetupPlaysItsPattern) {
    LoadedModule module;
    ASSERT_NE(module.entry, nullptr);
    HostContext context = freshContext();
    ASSERT_EQ(module.entry(1, &context), 1);
    std::string state = saveText(module.entry, context);
    setVelocities(state, 1, std::string(256, '0'));                               // the default snare falls silent
    setVelocities(state, 0, std::string(32, '0') + "7F" + std::string(222, '0')); // a kick on step 16
    ASSERT_EQ(loadText(module.entry, context, state), 1);
    ASSERT_EQ(module.entry(8, &context), 1);

    const size_t stepLength = 88200 / 32; // 120 BPM at 44100 Hz
    std::vector<float> left = renderLeft(module.entry, context, 2 * 88200);
    EXPECT_LT(peak(left, 0, 16 * stepLength), 1e-4) << "nothing before the kick's step";
    EXPECT_GT(peak(left, 16 * stepLength, 20 * stepLength), 0.05) << "the kick on step 16";
    EXPECT_LT(peak(left, 16 * stepLength - 64, 16 * stepLength), 1e-4);
    EXPECT_EQ(module.entry(2, &context), 1);
}
