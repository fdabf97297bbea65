#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include <engine/AmpEnvelopeModule.h>
#include <engine/EnvelopeLanes.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

struct Setting {
    float attackMs, decayMs, curve, amSpeed;
    int firstHit, period; // blocks; period 0: one hit
};

// Stages meeting within blocks: fast and slow attacks and decays, a retrigger
// into a fade, the AM ramp (never in lanes), an envelope never hit (idle).
const Setting kSettings[] = {
    {0.1f, 20000.0f, 100.0f, 0.0f, 0, 40}, {5.0f, 30.0f, 0.0f, 0.0f, 1, 9},   {0.1f, 300.0f, -60.0f, 0.0f, 2, 5},
    {20.0f, 2000.0f, 0.0f, 0.0f, 0, 0},    {0.1f, 10.0f, 50.0f, 0.0f, 3, 3},  {1.0f, 500.0f, 0.0f, 8.0f, 0, 12},
    {0.1f, 1.0f, 0.0f, 0.0f, 4, 2},        {0.1f, 500.0f, 0.0f, 0.0f, -1, 0}, {2.0f, 8000.0f, 20.0f, 0.0f, 5, 17},
};
constexpr int kCount = sizeof kSettings / sizeof kSettings[0];

std::unique_ptr<AmpEnvelopeModule> make(const Setting& s) {
    auto env = std::make_unique<AmpEnvelopeModule>();
    env->setSampleRate(44100.0f);
    env->setValue(EnvAttack, s.attackMs, 0);
    env->setValue(EnvDecay, s.decayMs, 0);
    env->setValue(EnvCurveShape, s.curve, 0);
    env->setValue(EnvAMSpeed, s.amSpeed, 0);
    env->reset();
    return env;
}

bool hitAt(const Setting& s, int block) {
    if (s.firstHit < 0 || block < s.firstHit)
        return false;
    return block == s.firstHit || (s.period > 0 && (block - s.firstHit) % s.period == 0);
}

// The settings for envelope e of up to 16: the table again from the tenth on, hit a block later.
Setting settingOf(int e) {
    Setting s = kSettings[e % kCount];
    if (e >= kCount && s.firstHit >= 0)
        ++s.firstHit;
    return s;
}

// Each of count envelopes rendered in lanes beside the others gives, bit for bit, what it gives alone.
void checkTogether(int count) {
    constexpr int kMost = EnvelopeLanes::kMostEnvelopes;
    const TruncationScope truncating;
    std::unique_ptr<AmpEnvelopeModule> alone[kMost], together[kMost];
    float expected[kMost][64], actual[kMost][64];
    uint8_t expectedTriggers[kMost][64], actualTriggers[kMost][64];
    AmpEnvelopeModule* envelopes[kMost];
    float* outs[kMost];
    uint8_t* triggers[kMost];
    for (int e = 0; e < count; ++e) {
        alone[e] = make(settingOf(e));
        together[e] = make(settingOf(e));
        envelopes[e] = together[e].get();
        outs[e] = actual[e];
        triggers[e] = actualTriggers[e];
    }
    for (int block = 0; block < 400; ++block) {
        const int n = block % 3 == 2 ? 23 : 64;
        for (int e = 0; e < count; ++e) {
            if (hitAt(settingOf(e), block)) {
                alone[e]->trigger();
                together[e]->trigger();
            }
            alone[e]->smoothParameters();
            together[e]->smoothParameters();
            alone[e]->render(expected[e], expectedTriggers[e], n);
        }
        EnvelopeLanes::render(envelopes, outs, triggers, count, n);
        for (int e = 0; e < count; ++e) {
            ASSERT_EQ(std::memcmp(expected[e], actual[e], sizeof(float) * n), 0)
                << "envelope " << e << ", block " << block;
            ASSERT_EQ(std::memcmp(expectedTriggers[e], actualTriggers[e], static_cast<size_t>(n)), 0)
                << "envelope " << e << ", block " << block;
            ASSERT_EQ(alone[e]->stage(), together[e]->stage()) << "envelope " << e << ", block " << block;
        }
    }
}

} // namespace

// One envelope alone, one full lane group, a group and a lone lane, and every group in use.
TEST(EnvelopeLanes, MatchRenderingEachAlone) {
    for (int count : {1, 4, 5, 9, 16}) {
        SCOPED_TRACE(count);
        checkTogether(count);
        if (HasFatalFailure())
            return;
    }
}
