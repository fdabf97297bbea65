#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

constexpr float kAmpShape = 0.3f, kPitchShape = 0.4f, kLevel = 0.8f;

// The module's playback as one plain loop over the samples, for comparing bit for bit.
class PlainPlayer {
  public:
    // Made while rendering rounds by truncation, from volatile copies: folded by the
    // compiler, the constants would be rounded to nearest instead.
    PlainPlayer(const float* data, int frames, float tune, bool reverse)
        : data_(data), end_(frames - SampleModule::kTail), reverse_(reverse) {
        volatile float semitones = tune, pitchShape = kPitchShape, ampShape = kAmpShape;
        rate_ = std::exp2(semitones / 12.0f) * (reverse ? -1.0f : 1.0f);
        kp_ = 1.0f / dsp::clip(1.0f - pitchShape, 0.001f, 0.99999f);
        ka_ = 1.0f / dsp::clip(ampShape, 0.001f, 0.9999f);
    }

    void turn() {
        reverse_ = !reverse_;
        rate_ = -rate_;
    }
    bool reversed() const { return reverse_; }

    void render(const float* envelope, const uint8_t* triggers, float velocity, float* out, int n) {
        float sum = 0.0f;
        for (int i = 0; i < n; ++i)
            sum += envelope[i];
        float average = dsp::clip(sum / 64.0f, dsp::kAntiDenormal, 1.0f);
        float increment = dsp::shapeCurve(average, kp_) * rate_;
        for (int i = 0; i < n; ++i) {
            if (resetPending_ || triggers[i]) {
                resetPending_ = false;
                position_ = reverse_ ? end_ : 0.0;
                noteVelocity_ = velocity;
            }
            if (!(reverse_ ? position_ > 0.0 : position_ < end_)) {
                position_ = reverse_ ? 0.0 : end_;
                out[i] = dsp::kAntiDenormal;
                continue;
            }
            int j = static_cast<int>(position_);
            float t = static_cast<float>(position_ - j);
            const float* s = data_ + j;
            float value = s[1] + t * ((s[2] - s[0]) * 0.5f + t * (s[0] - 2.5f * s[1] + 2.0f * s[2] - 0.5f * s[3] +
                                                                  t * (1.5f * (s[1] - s[2]) + (s[3] - s[0]) * 0.5f)));
            position_ += increment;
            out[i] = dsp::shapeCurve(envelope[i], ka_) * noteVelocity_ * kLevel * value;
        }
    }

  private:
    const float* data_;
    int end_;
    bool reverse_;
    float rate_, kp_, ka_;
    double position_ = 0.0;
    float noteVelocity_ = 1.0f;
    bool resetPending_ = true;
};

uint32_t bits(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

} // namespace

// Blocks of many lengths, hits while a note plays, notes ending inside a block, both
// directions and a change of direction.
TEST(SampleModule, MatchesThePlainLoopBitForBit) {
    struct Case {
        bool reverse;
        float tune;
        int frames;
        std::vector<int> hits;
    };
    const Case cases[] = {
        {false, 7.3f, 300, {0, 200, 230, 700}},      {true, 7.3f, 300, {0, 200, 230, 700}},
        {false, 24.0f, 40, {13, 100, 101, 650}},     {true, -24.0f, 70, {90, 130, 131, 450}},
        {false, -3.7f, 9, {5, 6, 7, 8, 9, 64, 305}},
    };
    const int lengths[] = {64, 1, 17, 3, 64, 30, 5, 2, 63, 4};
    const TruncationScope rounding;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "reverse " << c.reverse << ", tune " << c.tune << ", frames " << c.frames);
        std::unique_ptr<float[]> data(new float[static_cast<size_t>(c.frames + SampleModule::kTail)]());
        for (int k = 0; k < c.frames; ++k)
            data[static_cast<size_t>(k)] = std::sin(0.37f * static_cast<float>(k)) *
                                           (1.0f - 0.9f * static_cast<float>(k) / static_cast<float>(c.frames));
        PlainPlayer plain(data.get(), c.frames, c.tune, c.reverse);
        SampleModule module;
        configure(module, {{GenWavTune, c.tune},
                           {GenWavDirection, c.reverse ? 1.0f : 0.0f},
                           {GenWavShapeAmpEnv, kAmpShape},
                           {GenWavShapePitchEnv, kPitchShape},
                           {GenWavLevel, kLevel}});
        module.swapSample(data, c.frames);
        for (int start = 0, b = 0; start < 1000; start += lengths[b % 10], ++b) {
            const int n = lengths[b % 10];
            float envelope[64], out[64], expected[64];
            uint8_t triggers[64] = {};
            for (int i = 0; i < n; ++i)
                envelope[i] = std::exp(-0.004f * static_cast<float>(start + i));
            for (int hit : c.hits)
                if (hit >= start && hit < start + n)
                    triggers[hit - start] = 1;
            // Every third block turns, now and then just after a note has ended, which then goes on
            // the other way without a hit.
            if (b % 3 == 1) {
                plain.turn();
                module.setValue(GenWavDirection, plain.reversed() ? 1.0f : 0.0f, 0);
            }
            const float velocity = 0.3f + 0.1f * static_cast<float>(b % 7);
            module.setVelocity(velocity);
            module.smoothParameters();
            module.render(envelope, triggers, 1.0f, out, n);
            plain.render(envelope, triggers, velocity, expected, n);
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(bits(out[i]), bits(expected[i])) << "sample " << start + i;
        }
    }
}

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
