// The factory state's room reverb heard through the module.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostHarness.h"
#include "common/SignalAnalysis.h"

namespace {

double energy(const std::vector<float>& x, size_t from, size_t to) {
    double e = 0.0;
    for (size_t i = from; i < to && i < x.size(); ++i)
        e += static_cast<double>(x[i]) * x[i];
    return e;
}

// The factory state with the snare's effect switched on or off; one bar rendered.
std::vector<float> renderSnare(bool reverb) {
    LoadedModule module;
    HostContext context = freshContext();
    if (!module.entry || module.entry(1, &context) != 1)
        return {};
    std::string state = saveText(module.entry, context);
    // The second instrument of the kit is the snare; its FXActive follows its FXType.
    size_t snare = state.find("<instrument ", state.find("<instrument ") + 1);
    size_t active = state.find("id=\"FXActive\" value=\"", snare) + 21;
    state.replace(active, 8, reverb ? "1.000000" : "0.000000");
    EXPECT_EQ(loadText(module.entry, context, state), 1);
    module.entry(8, &context);
    std::vector<float> left = renderLeft(module.entry, context, 22016);
    module.entry(2, &context);
    return left;
}

} // namespace

TEST(EffectsThroughTheHost, TheSnaresRoomReverbOutlastsTheDryHit) {
    std::vector<float> wet = renderSnare(true);
    std::vector<float> dry = renderSnare(false);
    ASSERT_EQ(wet.size(), dry.size());
    ASSERT_GT(peak(dry), 0.05);
    // 400 ms after the hit the dry snare has died away; the room still sounds.
    const size_t tail = 17640;
    EXPECT_GT(energy(wet, tail, wet.size()), 10.0 * energy(dry, tail, dry.size()));
    EXPECT_GT(peak(wet, tail, wet.size()), 1e-5) << "far above the anti-denormal floor";
}
