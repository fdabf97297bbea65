#include "VintageCompressor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Dsp.h"

namespace trommik2 {

namespace {

constexpr float kLevelSmoothingHz = 100.0f;

// Input: -24 to +36 dB.
double inputDecibels(float x, double) { return 60.0f * x - 24.0f; }
void showInput(double db, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, db >= 10.0 || db <= -10.0 ? "%.0fdB" : "%.2fdB", db);
}

// Attack: 0.05 to 50 ms; Release: 5 to 1000 ms; both fine at the short end.
double attackMilliseconds(float x, double) { return 49.95f * x * x * x + 0.05f; }
void showAttack(double ms, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, ms >= 10.0 ? "%.0fms" : "%.2fms", ms);
}
double releaseMilliseconds(float x, double) {
    float x2 = x * x;
    return 995.0f * x2 * x2 + 5.0f;
}
void showRelease(double ms, double, char* out, std::size_t capacity) { std::snprintf(out, capacity, "%.0fms", ms); }

// Ratio: 1:1 to 50:1, fine at the gentle end.
double ratio(float x, double) {
    float x2 = x * x;
    return 49.0f * x2 * x2 + 1.0f;
}
void showRatio(double ratio, double, char* out, std::size_t capacity) {
    std::snprintf(out, capacity, ratio >= 10.0 ? "1 : %.0f" : "1 : %.1f", ratio);
}

} // namespace

constinit const EffectDefinition VintageCompressor::kDefinition = {
    {"Vintage Compressor",
     "Vintage Compressor",
     {{"Input", "Input Gain", inputDecibels, showInput},
      {"Attack", "Attack Time", attackMilliseconds, showAttack},
      {"Release", "Release Time", releaseMilliseconds, showRelease},
      {"Ratio", "Compression Ratio", ratio, showRatio}}},
    []() -> std::unique_ptr<Effect> { return std::make_unique<VintageCompressor>(); }};

void VintageCompressor::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    levelSmoother_.setCutoff(kLevelSmoothingHz, sampleRate);
}

VintageCompressor::Law VintageCompressor::lawForRatio(float ratio) {
    float u = dsp::clip(ratio, 1.0f, 50.0f) * 0.02f;
    float c = 1.0f - 1.0f / (50.0f * u / ((u - 1.0f) * -1.857143f + u));
    float c1 = 0.92f * c;
    return {c, 1.0f - c1, c1};
}

float VintageCompressor::followerCoefficient(float ms) const { return std::exp(-1.0f / (0.001f * ms * sampleRate_)); }

// Input in dB, Attack and Release in ms, Ratio 1..50.
void VintageCompressor::configure(const double* values, float) {
    float inputGain = std::pow(10.0f, static_cast<float>(values[0]) / 20.0f);
    auto attack = static_cast<float>(values[1]);
    auto release = static_cast<float>(values[2]);
    // Below about 1.83:1 c turns negative and the law lifts instead of compressing.
    Law law = lawForRatio(static_cast<float>(values[3]));
    c1_ = law.c1;
    c0_ = law.c0;
    float c = law.c;
    drive_ = (c / ((c - 1.0f) * -11.5f + c) * 12.0f + 1.0f) * inputGain;
    const float attacks[kFollowerCount] = {attack, 2.0f * attack + 2.0f, 5.0f * attack + 5.0f};
    const float releases[kFollowerCount] = {release, 2.0f * release + 50.0f, 5.0f * release + 150.0f};
    for (int j = 0; j < kFollowerCount; ++j) {
        followers_[j].attack = followerCoefficient(attacks[j]);
        followers_[j].release = followerCoefficient(releases[j]);
    }
}

void VintageCompressor::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    for (int i = 0; i < n; ++i) {
        float a = gain_ * drive_ * inLeft[i];
        float b = gain_ * drive_ * inRight[i];
        float level = std::fabs(a) + std::fabs(b);
        level = std::max(level, levelSmoother_.process(level));
        float detected = (c1_ * level * level + c0_ * level) * 0.0085f;
        float envelope = 0.0f;
        for (Follower& f : followers_) {
            float coefficient = detected <= f.envelope ? f.release : f.attack;
            f.envelope = std::clamp((f.envelope - detected) * coefficient + detected, dsp::kAntiDenormal, 10000.0f);
            envelope = std::max(envelope, f.envelope);
        }
        float y = (1.0f - 1.0f / (10.0f * envelope + 1.0f)) * 0.1333333f;
        float reduction = 1.0f - 7.5f * dsp::softClip(y);
        gain_ = reduction * c0_;
        float scale = c1_ * reduction + c0_;
        outLeft[i] = scale * a;
        outRight[i] = scale * b;
    }
}

void VintageCompressor::clear() {
    levelSmoother_.clear();
    for (Follower& f : followers_)
        f.envelope = 0.0f;
    gain_ = 1.0f;
}

} // namespace trommik2
