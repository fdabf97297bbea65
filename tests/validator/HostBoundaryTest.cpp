// What a plug-in validator does to an instrument, at the module's entry point:
// many instances in any order, operations in odd orders, every host rate and
// block size, and every parameter of every track at random and at its ends.
#include <gtest/gtest.h>
#include <trommik2/control_ids.h>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <random>
#include <thread>

#include "ModuleHost.h"

namespace {

constexpr int kTracks = 16;
constexpr int kParameters = 59;

float peak(const std::vector<float>& x) {
    float p = 0.0f;
    for (float v : x)
        p = std::max(p, std::fabs(v));
    return p;
}

// Hits every track once through the audition parameter.
void auditionAll(const HostContext& c, float velocity) {
    for (int t = 0; t < kTracks; ++t) {
        ModuleHost::setParameter(c, kParamSelectTrack, static_cast<float>(t));
        ModuleHost::setParameter(c, kParamAudition, velocity);
    }
}

} // namespace

TEST(HostBoundary, ManyInstancesOpenAndCloseInAnyOrder) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    std::mt19937 random(11);
    std::vector<HostContext> contexts(12, ModuleHost::context());
    std::vector<float> audio;
    for (int round = 0; round < 3; ++round) {
        std::vector<size_t> order(contexts.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random);
        for (size_t i : order) {
            ASSERT_EQ(host.entry(1, &contexts[i]), 1);
            ASSERT_EQ(host.render(contexts[i], 64, audio), 1);
            EXPECT_TRUE(clean(audio));
        }
        std::shuffle(order.begin(), order.end(), random);
        // Close half, render the rest, close the others: a closed context answers 0.
        for (size_t k = 0; k < order.size(); ++k) {
            if (k % 2 == 0) {
                EXPECT_EQ(host.entry(2, &contexts[order[k]]), 1);
                EXPECT_EQ(host.entry(7, &contexts[order[k]]), 0);
            } else {
                EXPECT_EQ(host.render(contexts[order[k]], 100, audio), 1);
                EXPECT_TRUE(clean(audio));
            }
        }
        for (size_t k = 1; k < order.size(); k += 2)
            EXPECT_EQ(host.entry(2, &contexts[order[k]]), 1);
    }
    for (HostContext& c : contexts)
        EXPECT_EQ(host.entry(2, &c), 0);
}

TEST(HostBoundary, OperationsInOddOrders) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    HostContext never = ModuleHost::context();
    for (int op : {2, 3, 4, 5, 6, 7, 8, 10, 11})
        EXPECT_EQ(host.entry(op, &never), 0) << "operation " << op << " without an instance";
    EXPECT_EQ(host.entry(12, &never), 2);

    HostContext c = ModuleHost::context();
    ASSERT_EQ(host.entry(1, &c), 1);
    std::vector<float> audio;
    EXPECT_EQ(host.render(c, 300, audio), 1) << "render before resume";
    EXPECT_TRUE(clean(audio));
    EXPECT_EQ(host.entry(10, &c), 1);
    EXPECT_EQ(host.entry(10, &c), 1) << "suspend twice";
    EXPECT_EQ(host.render(c, 300, audio), 1) << "render while suspended";
    EXPECT_TRUE(clean(audio));
    EXPECT_EQ(host.entry(8, &c), 1);
    EXPECT_EQ(host.entry(8, &c), 1) << "resume twice";
    EXPECT_EQ(host.entry(4, &c), 1) << "close an editor that never opened";
    c.tempo = 0.0f;
    EXPECT_EQ(host.render(c, 64, audio), 1);
    EXPECT_TRUE(std::isnan(audio[0])) << "a zero tempo renders nothing";
    c.tempo = 120.0f;
    c.outputBuffer = nullptr;
    c.valueCount = 128;
    EXPECT_EQ(host.entry(7, &c), 1) << "a null buffer renders nothing";
    EXPECT_EQ(host.entry(2, &c), 1);
    EXPECT_EQ(host.entry(2, &c), 0) << "close twice";
}

TEST(HostBoundary, InstancesCloseWhileOthersRenderOnAnotherThread) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    HostContext playing = ModuleHost::context();
    ASSERT_EQ(host.entry(1, &playing), 1);
    host.entry(8, &playing);
    std::atomic<bool> stop{false};
    std::atomic<bool> allClean{true};
    std::thread audio([&] {
        std::vector<float> buffer;
        while (!stop) {
            host.render(playing, 256, buffer);
            allClean = allClean && clean(buffer);
        }
    });
    for (int i = 0; i < 12; ++i) {
        HostContext other = ModuleHost::context(48000);
        ASSERT_EQ(host.entry(1, &other), 1);
        std::vector<float> buffer;
        host.render(other, 128, buffer);
        EXPECT_EQ(host.entry(2, &other), 1);
    }
    stop = true;
    audio.join();
    EXPECT_TRUE(allClean.load());
    EXPECT_EQ(host.entry(2, &playing), 1);
}

TEST(HostBoundary, EveryHostRateAndBlockSize) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    std::mt19937 random(5);
    const uint32_t rates[] = {8000, 11025, 22050, 32000, 44100, 48000, 88200, 96000, 192000, 384000};
    const int32_t blocks[] = {1, 17, 64, 2027, 8192, 16384};
    std::vector<float> audio;
    float loudest = 0.0f;
    for (uint32_t rate : rates) {
        HostContext c = ModuleHost::context(rate);
        ASSERT_EQ(host.entry(1, &c), 1);
        host.entry(8, &c);
        for (int32_t block : blocks) {
            auditionAll(c, 1.0f);
            const int calls = block < 64 ? 64 / block + 2 : 1;
            for (int k = 0; k < calls; ++k) {
                ASSERT_EQ(host.render(c, block, audio), 1);
                ASSERT_TRUE(clean(audio)) << rate << " Hz, blocks of " << block;
                loudest = std::max(loudest, peak(audio));
            }
        }
        for (int k = 0; k < 6; ++k) {
            auto block = static_cast<int32_t>(1 + random() % 4096);
            ASSERT_EQ(host.render(c, block, audio), 1);
            ASSERT_TRUE(clean(audio)) << rate << " Hz, a block of " << block;
        }
        EXPECT_EQ(host.entry(2, &c), 1);
    }
    EXPECT_GT(loudest, 0.01f) << "the auditioned tracks sounded";
}

TEST(HostBoundary, RandomPermutationsOfEveryParameterOfEveryTrack) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    HostContext c = ModuleHost::context();
    ASSERT_EQ(host.entry(1, &c), 1);
    host.entry(8, &c);
    std::mt19937 random(59);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<int> order(kParameters);
    std::iota(order.begin(), order.end(), 0);
    std::vector<float> audio;
    float loudest = 0.0f;
    for (int round = 0; round < 50; ++round) {
        // Every third round snaps every value to an end of its range.
        const bool snapped = round % 3 == 2;
        for (int t = 0; t < kTracks; ++t) {
            ModuleHost::setParameter(c, kParamSelectTrack, static_cast<float>(t));
            std::shuffle(order.begin(), order.end(), random);
            for (int p : order) {
                float value = unit(random);
                ModuleHost::setParameter(c, p, snapped ? std::round(value) : value);
            }
        }
        auditionAll(c, unit(random));
        for (int block = 0; block < 5; ++block) {
            ASSERT_EQ(host.render(c, 512, audio), 1);
            ASSERT_TRUE(clean(audio)) << "round " << round << ", block " << block;
            loudest = std::max(loudest, peak(audio));
        }
    }
    EXPECT_GT(loudest, 0.01f) << "the tracks sounded";
    EXPECT_EQ(host.entry(2, &c), 1);
}
