#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <engine/FilterModule.h>
#include <engine/OutputModule.h>
#include <params/ParameterIndex.h>

#include "EngineTestSupport.h"

using namespace trommik2;

namespace {

constexpr float kPi = 3.14159265f;

struct TestFilter : FilterModule {
    TestFilter(float type, float frequency) {
        setSampleRate(44100.0f);
        setValue(FilterType, type, 0);
        setValue(FilterFreq, frequency, 0);
        setValue(FilterDriveDB, 0.0f, 0);
        reset();
    }
    std::vector<float> run(const std::vector<float>& in) {
        const TruncationScope truncating;
        std::vector<float> out(in.size());
        float envelope[64] = {};
        uint8_t triggers[64] = {};
        for (size_t b = 0; b + 64 <= in.size(); b += 64) {
            smoothParameters();
            render(envelope, triggers, &in[b], &out[b], 64);
        }
        return out;
    }
};

std::vector<float> sine(float hz, float amplitude, int samples) {
    std::vector<float> x(static_cast<size_t>(samples));
    for (int i = 0; i < samples; ++i)
        x[static_cast<size_t>(i)] = amplitude * std::sin(2.0f * kPi * hz * static_cast<float>(i) / 44100.0f);
    return x;
}

} // namespace

TEST(FilterModule, OffPassesBitExactlyAndQuietBlocksPassUnfiltered) {
    std::vector<float> loud = sine(5000.0f, 0.5f, 64 * 40);
    TestFilter off(0.0f, 200.0f);
    EXPECT_EQ(off.run(loud), loud);
    std::vector<float> quiet = sine(5000.0f, 1e-5f, 64 * 40);
    TestFilter low(1.0f, 200.0f);
    EXPECT_EQ(low.run(quiet), quiet) << "a block below the gate is copied through";
}

TEST(FilterModule, LowAndHighPassSeparateBands) {
    std::vector<float> high = sine(8000.0f, 0.5f, 64 * 100);
    std::vector<float> low = sine(100.0f, 0.5f, 64 * 100);
    TestFilter lowPass(1.0f, 500.0f);
    EXPECT_LT(peak(lowPass.run(high), 3200), 0.02);
    TestFilter lowPass2(1.0f, 500.0f);
    EXPECT_GT(peak(lowPass2.run(low), 3200), 0.4);
    TestFilter highPass(3.0f, 2000.0f);
    EXPECT_LT(peak(highPass.run(low), 3200), 0.02);
    TestFilter band(2.0f, 1000.0f);
    std::vector<float> centre = band.run(sine(1000.0f, 0.5f, 64 * 100));
    EXPECT_GT(peak(centre, 3200), 0.3);
}

TEST(OutputModule, LinearPanAndLevel) {
    OutputModule output;
    float inLeft[4] = {1, 1, 1, 1};
    float inRight[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    float left[4], right[4], meter[4];
    output.setValue(OutPan, -1.0f, 0);
    output.reset();
    output.process({inLeft, inRight, nullptr}, {left, right, meter, nullptr, nullptr}, 4);
    EXPECT_EQ(right[0], 0.0f);
    EXPECT_FLOAT_EQ(left[0], 1.0f);
    EXPECT_FLOAT_EQ(meter[0], 1.5f) << "the meter sees left + right before the level";
    output.setValue(OutPan, 1.0f, 0);
    output.reset();
    output.process({inLeft, inRight, nullptr}, {left, right, meter, nullptr, nullptr}, 4);
    EXPECT_EQ(left[0], 0.0f);
    output.setValue(OutPan, 0.0f, 0);
    output.setValue(OutLevelDB, -48.0f, 0);
    output.reset();
    float gain = output.process({inLeft, inRight, nullptr}, {left, right, meter, nullptr, nullptr}, 4);
    EXPECT_NEAR(gain, std::pow(10.0f, -2.4f), 1e-7f);
    EXPECT_NEAR(left[0], 0.5f * std::pow(10.0f, -2.4f), 1e-7f) << "the centre gives each side half";
    output.setValue(OutLevelDB, 24.0f, 0);
    output.reset();
    EXPECT_NEAR(output.process({inLeft, inRight, nullptr}, {left, right, meter, nullptr, nullptr}, 4), 15.8489f, 1e-3f);
}

// A voice without effect hands over its mono signal and envelope, one with an
// effect its stereo output, and the renderer a mix to add to: each form gives
// what the separate passes would.
TEST(OutputModule, EnvelopeAndMixInTheSamePass) {
    constexpr int n = 64;
    float mono[n], other[n], envelope[n];
    for (int i = 0; i < n; ++i) {
        mono[i] = 0.3f * std::sin(0.37f * static_cast<float>(i));
        other[i] = 0.2f * std::cos(0.11f * static_cast<float>(i));
        envelope[i] = 1.0f - static_cast<float>(i) / n;
    }
    for (int form = 0; form < 8; ++form) {
        const bool shaped = form & 1, adding = form & 2, stereo = form & 4;
        SCOPED_TRACE(form);
        OutputModule output;
        output.setValue(OutPan, 0.25f, 0);
        output.setValue(OutLevelDB, -6.0f, 0);
        output.reset();
        float left[n], right[n], meter[n], mixLeft[n], mixRight[n];
        std::fill(mixLeft, mixLeft + n, 0.5f);
        std::fill(mixRight, mixRight + n, -0.5f);
        const float* inRight = stereo ? other : mono;
        const float gain = output.process({mono, inRight, shaped ? envelope : nullptr},
                                          {left, right, meter, adding ? mixLeft : nullptr, mixRight}, n);
        const float p = (0.25f + 1.0f) * 0.5f;
        for (int i = 0; i < n; ++i) {
            const float x = shaped ? mono[i] * envelope[i] : mono[i];
            const float y = shaped ? inRight[i] * envelope[i] : inRight[i];
            ASSERT_EQ(left[i], x * (gain * (1.0f - p))) << i;
            ASSERT_EQ(right[i], y * (gain * p)) << i;
            ASSERT_EQ(meter[i], x + y) << i;
            ASSERT_EQ(mixLeft[i], adding ? 0.5f + left[i] : 0.5f) << i;
            ASSERT_EQ(mixRight[i], adding ? -0.5f + right[i] : -0.5f) << i;
        }
    }
}

// A held mix (two alternating values) gives what its samples written out as a
// mono signal give, adding or not; it writes the track's outputs only when
// given them, never the meter's buffer, and sums the shaped magnitudes.
TEST(OutputModule, AHeldMixSoundsAsItsSamples) {
    const HeldMix held = {2.1e-10f, -3.7e-11f};
    float envelope[64];
    for (int i = 0; i < 64; ++i)
        envelope[i] = 0.9f - 0.01f * static_cast<float>(i);
    for (int n : {64, 8}) {
        for (bool adding : {false, true}) {
            for (bool kept : {false, true}) {
                SCOPED_TRACE(testing::Message() << n << " samples, adding " << adding << ", kept " << kept);
                float mono[64];
                held.fill(mono, n);
                float out[2][5][64];
                float magnitudes = -1.0f;
                for (int k = 0; k < 2; ++k) {
                    OutputModule output;
                    output.setValue(OutPan, -0.4f, 0);
                    output.setValue(OutLevelDB, 3.0f, 0);
                    output.reset();
                    std::fill(out[k][0], out[k][0] + 64 * 3, 7.0f);
                    std::fill(out[k][3], out[k][3] + 64, 0.25f);
                    std::fill(out[k][4], out[k][4] + 64, -1e-9f);
                    float* mixLeft = adding ? out[k][3] : nullptr;
                    if (k == 0)
                        output.process({mono, mono, envelope}, {out[k][0], out[k][1], out[k][2], mixLeft, out[k][4]},
                                       n);
                    else
                        output.process(held, envelope,
                                       {kept ? out[k][0] : nullptr, out[k][1], nullptr, mixLeft, out[k][4]}, n,
                                       magnitudes);
                }
                for (int c = 0; c < 5; ++c) {
                    const bool written = c >= 3 || (c < 2 && kept);
                    for (int i = 0; i < n; ++i)
                        ASSERT_EQ(out[1][c][i], written ? out[0][c][i] : 7.0f) << "buffer " << c << ", sample " << i;
                }
                double sum = 0.0;
                for (int i = 0; i < n; ++i)
                    sum += std::fabs(static_cast<double>(out[0][2][i])) / 2.0;
                EXPECT_NEAR(magnitudes, sum, sum * 1e-6);
            }
        }
    }
}
