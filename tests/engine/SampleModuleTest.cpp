#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <engine/Dsp.h>
#include <engine/SampleModule.h>
#include <params/ParameterIndex.h>

#include "ModuleDriver.h"

using namespace trommik2;
using namespace trommik2::test;

namespace {

constexpr float kStep = 0.001f;

// frames values rising by kStep per frame, then the zero tail.
std::unique_ptr<float[]> ramp(int frames) {
    std::unique_ptr<float[]> data(new float[static_cast<size_t>(frames + SampleModule::kTail)]());
    for (int k = 0; k < frames; ++k)
        data[static_cast<size_t>(k)] = kStep * static_cast<float>(k);
    return data;
}

// A player holding a ramp of the given length, with these settings.
std::unique_ptr<SampleModule> player(int frames, std::initializer_list<std::pair<int, float>> values = {}) {
    auto module = std::make_unique<SampleModule>();
    module->setSampleRate(kRate);
    configure(*module, values);
    std::unique_ptr<float[]> data = ramp(frames);
    module->swapSample(data, frames);
    return module;
}

// The number of samples before playback ends (output falls to the anti-denormal constant).
size_t playedLength(const std::vector<float>& out) {
    size_t i = 0;
    while (i < out.size() && out[i] != dsp::kAntiDenormal)
        ++i;
    return i;
}

// Sets a value as if it had been smoothed already, without a reset.
void setNow(SampleModule& module, int index, float value) {
    for (int slot : {0, 2, 3})
        module.setValue(index, value, slot);
}

} // namespace

TEST(SampleModule, TuneChangesTheSpeed) {
    const int frames = 1005;
    std::vector<float> fast = render(*player(frames, {{GenWavTune, 12.0f}}), constant(1024, 1.0f));
    EXPECT_EQ(playedLength(fast), 500u);
    for (size_t i = 0; i < 500; ++i)
        ASSERT_FLOAT_EQ(fast[i], kStep * static_cast<float>(2 * i + 1)) << i;
    std::vector<float> slow = render(*player(frames, {{GenWavTune, -24.0f}}), constant(4096, 1.0f));
    EXPECT_EQ(playedLength(slow), 4000u);
    // The cubic reproduces a straight line exactly between the frames.
    for (size_t i = 0; i < 4000; ++i)
        ASSERT_NEAR(slow[i], kStep * (1.0f + 0.25f * static_cast<float>(i)), 1e-5f) << i;
}

TEST(SampleModule, ReversePlaysFromFiveFramesBeforeTheEndDownToZero) {
    const int frames = 200;
    std::vector<float> out = render(*player(frames, {{GenWavDirection, 1.0f}}), constant(256, 1.0f));
    EXPECT_EQ(playedLength(out), 195u);
    for (size_t i = 0; i < 195; ++i)
        ASSERT_FLOAT_EQ(out[i], kStep * static_cast<float>(frames - 4 - static_cast<int>(i))) << i;
    for (size_t i = 195; i < out.size(); ++i)
        ASSERT_EQ(out[i], dsp::kAntiDenormal);
}

TEST(SampleModule, SamplesUnderSixFramesAreSilent) {
    std::vector<float> five = render(*player(5), constant(64, 1.0f));
    EXPECT_EQ(playedLength(five), 0u);
    std::vector<float> reversed = render(*player(5, {{GenWavDirection, 1.0f}}), constant(64, 1.0f));
    EXPECT_EQ(playedLength(reversed), 0u);
    std::vector<float> six = render(*player(6), constant(64, 1.0f));
    EXPECT_EQ(playedLength(six), 1u);
    EXPECT_FLOAT_EQ(six[0], kStep);
}

TEST(SampleModule, LevelGateWritesZerosAndHoldsThePosition) {
    std::unique_ptr<SampleModule> module = player(1000);
    std::vector<float> first = render(*module, constant(128, 1.0f));
    setNow(*module, GenWavLevel, 0.0f);
    for (float x : render(*module, constant(256, 1.0f), false))
        ASSERT_EQ(x, 0.0f);
    setNow(*module, GenWavLevel, 1.0f);
    std::vector<float> resumed = render(*module, constant(64, 1.0f), false);
    EXPECT_FLOAT_EQ(resumed[0], kStep * 129.0f) << "playback continues where the gate stopped it";
    setNow(*module, GenWavLevel, 0.5f);
    EXPECT_FLOAT_EQ(render(*module, constant(64, 1.0f), false)[0], 0.5f * kStep * 193.0f);
}

TEST(SampleModule, EnvelopeBendsPitchAndAmplitude) {
    // Linear shapes: a quarter envelope gives a quarter of the amplitude and speed.
    std::unique_ptr<SampleModule> module = player(1000, {{GenWavShapeAmpEnv, 0.5f}, {GenWavShapePitchEnv, 0.5f}});
    std::vector<float> out = render(*module, constant(256, 0.25f));
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_NEAR(out[i], 0.25f * kStep * (1.0f + 0.25f * static_cast<float>(i)), 1e-6f) << i;
}

TEST(SampleModule, VelocityIsCapturedAtTheNoteStart) {
    std::unique_ptr<SampleModule> module = player(1000);
    module->setVelocity(0.5f);
    std::vector<float> out = render(*module, constant(64, 1.0f));
    module->setVelocity(1.0f);
    std::vector<float> next = render(*module, constant(64, 1.0f), false);
    EXPECT_FLOAT_EQ(out[0], 0.5f * kStep);
    EXPECT_FLOAT_EQ(next[0], 0.5f * kStep * 65.0f);
}

TEST(SampleModule, NewSampleRestartsAndClearSampleSilences) {
    std::unique_ptr<SampleModule> module = player(1000);
    render(*module, constant(128, 1.0f));
    std::unique_ptr<float[]> other = ramp(100);
    for (int k = 0; k < 100; ++k)
        other[static_cast<size_t>(k)] *= -1.0f;
    const float* previous = module->data();
    module->swapSample(other, 100);
    EXPECT_EQ(other.get(), previous) << "the caller frees the previous sample";
    std::vector<float> out = render(*module, constant(64, 1.0f), false);
    EXPECT_FLOAT_EQ(out[0], -kStep) << "a loaded sample plays from its start without a new hit";
    module->clearSample(other);
    EXPECT_NE(other, nullptr);
    EXPECT_EQ(module->frameCount(), 0);
    EXPECT_EQ(module->data(), nullptr);
    EXPECT_EQ(playedLength(render(*module, constant(64, 1.0f))), 0u);
}
