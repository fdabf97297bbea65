#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include <core/OutputMeter.h>

using trommik2::OutputMeter;

namespace {

constexpr float kRate = 44100.0f;

// One channel as the meter is meant to follow it, sample by sample.
float followed(float level, const std::vector<float>& x, float release) {
    for (float v : x)
        level = v > level ? std::fabs(v) : (level - v) * release + v;
    return level;
}

std::vector<float> noise(uint32_t seed, int n, float scale) {
    std::vector<float> x(static_cast<size_t>(n));
    for (float& v : x) {
        seed = seed * 1664525u + 1013904223u;
        v = (static_cast<float>(seed >> 8) / 16777216.0f * 2.0f - 1.0f) * scale;
    }
    return x;
}

} // namespace

TEST(OutputMeter, EachChannelFollowsItsOwnSignalsPeaksAndRelease) {
    const float release = std::pow(0.01f, 1.0f / (1500.0f * kRate * 0.001f));
    struct Case {
        const char* name;
        std::vector<float> left, right;
    };
    const std::vector<float> peak = {0.0f, 0.9f, 0.0f, 0.0f, 0.5f, 0.0f};
    const std::vector<float> negative = {0.0f, -0.9f, 0.0f, 0.0f, -0.2f, 0.0f};
    const Case cases[] = {
        {"a positive peak on the left only", peak, std::vector<float>(peak.size(), 0.0f)},
        {"a negative peak does not raise, a positive one does", negative, peak},
        {"noise of different loudness", noise(1, 1000, 1.0f), noise(2, 1000, 0.01f)},
        {"a short block", noise(3, 3, 0.5f), noise(4, 3, 0.7f)},
        {"no samples", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OutputMeter left, right;
        left.setSampleRate(kRate);
        right.setSampleRate(kRate);
        const int n = static_cast<int>(c.left.size());
        // Twice, so that the second pass starts from levels of its own.
        OutputMeter::processPair(left, right, c.left.data(), c.right.data(), n);
        OutputMeter::processPair(left, right, c.left.data(), c.right.data(), n);
        EXPECT_EQ(left.level(), followed(followed(0.0f, c.left, release), c.left, release));
        EXPECT_EQ(right.level(), followed(followed(0.0f, c.right, release), c.right, release));
    }
}

TEST(OutputMeter, FallsByFortyDecibelsInOneAndAHalfSeconds) {
    OutputMeter left, right;
    left.setSampleRate(kRate);
    right.setSampleRate(kRate);
    const float one = 1.0f;
    OutputMeter::processPair(left, right, &one, &one, 1);
    const std::vector<float> silence(static_cast<size_t>(1.5f * kRate), 0.0f);
    const int n = static_cast<int>(silence.size());
    OutputMeter::processPair(left, right, silence.data(), silence.data(), n);
    EXPECT_NEAR(left.level(), 0.01f, 0.0005f);
    EXPECT_EQ(left.level(), right.level());
}
