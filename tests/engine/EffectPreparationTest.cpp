#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "EffectSlotRig.h"
#include "HeapCounter.h"

using namespace trommik2;
using namespace trommik2::test;

// Effects are built and sized on the user-interface thread and installed by
// pointer swaps; while rendering, type switches and tempo changes allocate nothing.

namespace {

constexpr uint32_t bit(int type) { return 1u << type; }
constexpr uint32_t kAllTypes = bit(kEffectTypeCount) - 1;

// Plays in into out (of the same length, allocated by the caller) as the voice
// drives the slot, block by block, after an automation write when index >= 0.
void play(EffectsModule& fx, const Stereo& in, Stereo& out, int index = -1, float value = 0.0f) {
    const TruncationScope truncating;
    if (index >= 0)
        fx.setValueWhilePlaying(index, value);
    for (size_t start = 0; start < in.left.size(); start += dsp::kBlockSize) {
        int n = static_cast<int>(std::min<size_t>(dsp::kBlockSize, in.left.size() - start));
        fx.smoothParameters();
        fx.process(&in.left[start], &in.right[start], &out.left[start], &out.right[start], n);
    }
}

Stereo playBlock(EffectsModule& fx, const Stereo& in, int index = -1, float value = 0.0f) {
    Stereo out = silence(static_cast<int>(in.left.size()));
    play(fx, in, out, index, value);
    return out;
}

void prepare(EffectsModule& fx, EffectsModule::Reach reach) { fx.install(fx.build(reach), reach); }

} // namespace

TEST(EffectPreparation, AutomatedTypeSwitchesAllocateNothingOncePrepared) {
    EffectSlotRig rig;
    rig.select(kMonoDelaySync, 0.5f, 0.3f, 0.2f, 0.8f);
    prepare(rig.fx, {kAllTypes, true});
    const Stereo in = noise(64);
    Stereo out = silence(64);
    int dryBlocks = 0;
    HeapCounter heap;
    for (int block = 0; block < 10 * kEffectTypeCount; ++block) {
        play(rig.fx, in, out, FXType, static_cast<float>(block % kEffectTypeCount));
        dryBlocks += out.left == in.left ? 1 : 0;
    }
    EXPECT_EQ(heap.allocations(), 0u);
    EXPECT_EQ(dryBlocks, 0) << "every type played";
}

TEST(EffectPreparation, AutomationSelectsAFreshEffect) {
    EffectSlotRig rig;
    rig.select(kMonoDelayMs, 0.3f, 0.0f, 0.0f, 1.0f);
    prepare(rig.fx, {bit(kMonoDelayMs) | bit(kPhaser), true});
    playBlock(rig.fx, impulse(64));
    playBlock(rig.fx, silence(64), FXType, kPhaser);
    Stereo back = playBlock(rig.fx, silence(64), FXType, kMonoDelayMs);
    for (int block = 0; block < 200; ++block)
        EXPECT_EQ(peak(playBlock(rig.fx, silence(64)).left), 0.0f) << "no echo of what came before the switch";
    EXPECT_EQ(peak(back.left), 0.0f);
}

TEST(EffectPreparation, AnUnpreparedTypePassesDryWithoutAllocating) {
    EffectSlotRig rig;
    rig.select(kChorus, 0.5f, 0.5f, 0.5f, 1.0f);
    const Stereo in = noise(64);
    Stereo out = silence(64);
    {
        HeapCounter heap;
        play(rig.fx, in, out, FXType, kHallReverb);
        EXPECT_EQ(heap.allocations(), 0u);
    }
    EXPECT_EQ(out.left, in.left);
    EXPECT_EQ(out.right, in.right);
    EXPECT_EQ(rig.fx.effectType(), kHallReverb) << "the slot names the type it was given";
    prepare(rig.fx, {bit(kHallReverb), true});
    EXPECT_NE(playBlock(rig.fx, in).left, in.left) << "prepared, it plays";
}

TEST(EffectPreparation, InstallOnlySwapsAndHandsBackWhatNothingNeeds) {
    EffectsModule fx;
    fx.setSampleRate(44100.0f);
    const EffectsModule::Reach reverbs{bit(kRoomReverb) | bit(kHallReverb), true};
    EffectsModule::Effects built = fx.build(reverbs);
    EXPECT_TRUE(built.byType[kRoomReverb] && built.byType[kHallReverb]);
    EXPECT_TRUE(built.byType[kMonoDelaySync]) << "the current type, now with buffers";
    EXPECT_FALSE(built.byType[kPhaser]);
    EffectsModule::Effects replaced;
    {
        HeapCounter heap;
        replaced = fx.install(std::move(built), reverbs);
        EXPECT_EQ(heap.allocations(), 0u);
    }
    EXPECT_TRUE(replaced.byType[kMonoDelaySync]) << "the one without buffers, to be destroyed by the caller";
    EXPECT_TRUE(fx.build(reverbs).empty()) << "nothing more to build";

    EffectsModule::Effects retiring = fx.build({});
    EXPECT_EQ(retiring.retire, bit(kRoomReverb) | bit(kHallReverb));
    replaced = fx.install(std::move(retiring), {});
    EXPECT_TRUE(replaced.byType[kRoomReverb] && replaced.byType[kHallReverb]);
    EXPECT_TRUE(fx.build({}).empty()) << "the current type stays";
}

// A host's tempo drop moves a synchronised delay's time: the line was sized
// for the slowest tempo, so the echo already on its way arrives at the new time.
TEST(EffectPreparation, TempoDropKeepsTheEchoAndAllocatesNothing) {
    const float quarter = 1.0f - 4.0f / 12.0f; // "1/4"
    for (int type : {kMonoDelaySync, kStereoDelaySync}) {
        EffectSlotRig rig;
        rig.fx.setTempo(120.0f);
        rig.select(type, quarter, quarter, type == kMonoDelaySync ? 0.0f : 0.5f, 1.0f);
        const Stereo in = impulse(11008);
        Stereo first = silence(11008);
        const Stereo quiet = silence(70000);
        Stereo rest = silence(70000);
        {
            HeapCounter heap;
            play(rig.fx, in, first); // a quarter at 120 BPM is 22050 samples
            rig.fx.setTempo(40.0f);  // ... at 40 BPM 66150
            play(rig.fx, quiet, rest);
            EXPECT_EQ(heap.allocations(), 0u) << effectName(type);
        }
        EXPECT_LT(peak(first.left, 1), 1e-6f);
        EXPECT_NEAR(argmax(rest.left, 0, 70000) + 11008, 66150, 50) << effectName(type);
        EXPECT_GT(peak(rest.left), 0.4f) << effectName(type) << ": the echo came through";
    }
}
