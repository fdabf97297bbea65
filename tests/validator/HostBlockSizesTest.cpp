// The sound does not depend on how a host cuts its blocks: any cut of the same
// timeline gives the same audio, bit for bit, and nothing gets louder.
#include <gtest/gtest.h>
#include <trommik2/control_ids.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "ModuleHost.h"
#include "StressSetup.h"
#include "core/DrumMachine.h"
#include "params/EffectNames.h"

using namespace trommik2;

namespace {

constexpr int kFrames = 3 * 44100;
constexpr int kRandomSizes = 0;

// Track 0 plays a 5 ms hit every bar through a 250 ms mono delay with feedback.
bool delayedHit(DrumMachine& machine) {
    const ParameterTable& table = machine.model().table();
    for (int t = 0; t < DrumMachine::kTrackCount; ++t)
        machine.model().sequencer().track(t).clear();
    machine.setParameter(kParamSelectTrack, 0.0f);
    const std::pair<int, float> values[] = {{EnvAttack, 0.0f}, {EnvDecay, 5.0f}, {FXType, kMonoDelayMs},
                                            {FXParam1, 0.3f},  {FXParam2, 0.6f}, {FXParam4, 1.0f},
                                            {FXActive, 1.0f}};
    for (auto [index, value] : values)
        machine.setParameter(index, table.toNormalized(index, value));
    machine.model().sequencer().setBars(1);
    machine.model().sequencer().track(0).setStep(0, 127);
    machine.patternChanged();
    return true;
}

bool factory(DrumMachine&) { return true; }

// Renders kFrames from a host position in blocks whose sizes come from next().
std::vector<float> render(const std::function<bool(DrumMachine&)>& setUp, int start, const std::function<int()>& next) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    if (!setUp(*machine))
        return {};
    machine->setSampleRate(44100.0f);
    machine->resume();
    std::vector<float> left(kFrames), right(kFrames);
    for (int done = 0; done < kFrames;) {
        const int n = std::min(next(), kFrames - done);
        float* outputs[2] = {left.data() + done, right.data() + done};
        machine->setParameter(kParamHostPosition, static_cast<float>(start + done));
        machine->setParameter(kParamHostTempo, 120.0f);
        machine->processReplacing(nullptr, outputs, n);
        done += n;
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

struct TestSetup {
    const char* name;
    std::function<bool(DrumMachine&)> apply;
};

const TestSetup kSetups[] = {{"factory", factory}, {"stress", StressSetup::apply}, {"delayed hit", delayedHit}};

} // namespace

TEST(HostBlockSizes, EveryCutOfTheTimelineSoundsTheSame) {
    const int sizes[] = {1, 2, 7, 63, 64, 100, 333, 512, 4096, kRandomSizes};
    for (const TestSetup& setup : kSetups) {
        for (int start : {0, 12345}) {
            const std::vector<float> reference = render(setup.apply, start, [] { return 512; });
            ASSERT_FALSE(reference.empty());
            float loudest = 0.0f;
            for (float x : reference)
                loudest = std::max(loudest, std::fabs(x));
            EXPECT_GT(loudest, 0.01f) << setup.name;
            for (int size : sizes) {
                std::mt19937 random(static_cast<unsigned>(size + start));
                auto next = [&] { return size == kRandomSizes ? static_cast<int>(1 + random() % 700) : size; };
                EXPECT_TRUE(render(setup.apply, start, next) == reference)
                    << setup.name << ", from " << start << ", blocks of " << (size ? size : -1);
            }
        }
    }
}

// What a validator sees at the entry point: no block size makes the factory
// state's groove louder than 512-frame blocks do.
TEST(HostBlockSizes, NoBlockSizeIsLouderThanWholeBlocks) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    auto loudest = [&](int block) {
        HostContext c = ModuleHost::context();
        host.entry(1, &c);
        host.entry(8, &c);
        std::vector<float> audio;
        float peak = 0.0f;
        for (int done = 0; done < 2 * 44100; done += block) {
            host.render(c, std::min(block, 2 * 44100 - done), audio);
            for (float x : audio)
                peak = std::max(peak, std::fabs(x));
        }
        host.entry(2, &c);
        return peak;
    };
    const float whole = loudest(512);
    EXPECT_GT(whole, 0.01f);
    for (int block : {1, 2, 7, 63, 100, 333, 4096})
        EXPECT_LE(loudest(block), whole) << "blocks of " << block;
}
