#include <gtest/gtest.h>

#include <vector>

#include <core/effect/SynthPlugin.h>
#include <host/HostCallbackEmulation.h>
#include <host/SynthAdapter.h>

using namespace trommik2;

namespace {

struct Received {
    int32_t code;
    HostCallbackRecord record;
};
std::vector<Received> received;

int32_t recordingCallback(int32_t code, HostCallbackRecord* record) {
    received.push_back({code, *record});
    return 17;
}

AEffect* effectOf(const HostContext& context) { return static_cast<AEffect*>(context.plugin); }

} // namespace

TEST(HostCallbackEmulation, RelaysTheVendorMessagesToTheHostCallback) {
    SynthAdapter adapter;
    HostContext context{};
    context.hostIdA = 11;
    context.hostIdB = 22;
    context.hostCallback = recordingCallback;
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    received.clear();
    SynthPlugin* plugin = static_cast<SynthPlugin*>(effectOf(context)->object);
    const int32_t messages[] = {fourCharCode("PLAY"), fourCharCode("STOP"), fourCharCode("DACC"),
                                fourCharCode("RACC"), fourCharCode("DRAW"), fourCharCode("JUNK")};
    for (int32_t message : messages)
        EXPECT_EQ(plugin->hostVendorSpecific(fourCharCode("HOST"), message, nullptr, 0.0f), 0);
    ASSERT_EQ(received.size(), 5u) << "unknown messages send nothing";
    const int32_t codes[] = {2, 3, 6, 7, 8};
    for (size_t i = 0; i < received.size(); ++i) {
        EXPECT_EQ(received[i].code, codes[i]);
        EXPECT_EQ(received[i].record.hostIdA, 11u);
        EXPECT_EQ(received[i].record.hostIdB, 22u);
        EXPECT_EQ(received[i].record.context, &context);
        EXPECT_EQ(received[i].record.zero, 0u);
    }
    received.clear();
    plugin->hostVendorSpecific(fourCharCode("NOPE"), fourCharCode("PLAY"), nullptr, 0.0f);
    EXPECT_TRUE(received.empty()) << "only 'HOST' messages are relayed";
    adapter.dispatch(2, &context);
}

TEST(HostCallbackEmulation, AnswersOnlyItsOwnOpcodes) {
    SynthAdapter adapter;
    HostContext context{};
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    AEffect* effect = effectOf(context);
    char exact[] = "sizeWindow";
    char other[] = "SizeWindow";
    EXPECT_EQ(hostCallbackEmulation(effect, audioMasterCanDo, 0, 0, exact, 0.0f), 1);
    EXPECT_EQ(hostCallbackEmulation(effect, audioMasterCanDo, 0, 0, other, 0.0f), 0);
    EXPECT_EQ(hostCallbackEmulation(effect, audioMasterSizeWindow, 300, 200, nullptr, 0.0f), 1);
    EXPECT_EQ(hostCallbackEmulation(effect, 1, 0, 0, nullptr, 0.0f), 0) << "version queries answer 0";
    EXPECT_EQ(hostCallbackEmulation(effect, 41, 0, 0, nullptr, 0.0f), 0);
    adapter.dispatch(2, &context);
}

TEST(AudioEffect, BareEffectRendersSilenceAndAutomatesLikeSetParameter) {
    SynthPlugin plugin(hostCallbackEmulation);
    AEffect* effect = plugin.getAeffect();
    EXPECT_EQ(effect->magic, fourCharCode("VstP"));
    EXPECT_EQ(effect->object, &plugin);
    float left[3] = {1, 1, 1};
    float right[3] = {1, 1, 1};
    float* outputs[2] = {left, right};
    effect->processReplacing(effect, nullptr, outputs, 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(left[i] + right[i], 0.0f);
    plugin.setParameterAutomated(3, 0.5f);
    EXPECT_EQ(effect->getParameter(effect, 3), 0.0f);
    std::string state = "x";
    EXPECT_TRUE(plugin.saveState(state));
    EXPECT_EQ(state, "x") << "a bare effect has no state to add";
}
