#include "FdnReverb.h"

#include <algorithm>
#include <cmath>

#include "CommonKnobs.h"
#include "engine/Dsp.h"

namespace trommik2 {

namespace {

constexpr float kLineBase[FdnReverb::kLineCount] = {19.0f, 7.0f, 11.0f, 31.0f};
constexpr float kDiffusion = 0.55f;
constexpr float kLfoSmoothingHz = 3.0f;
// Modulation is at most (0.5 + 0.05)^2 * 0.5 of a line's length.
constexpr float kMaxModulation = 0.55f * 0.55f * 0.5f;

// Input and output weights per line: lines 1 and 2 belong to the left channel,
// lines 0 and 3 to the right; a bell over t = k/4 shades them.
struct Weights {
    float inLeft[FdnReverb::kLineCount];
    float inRight[FdnReverb::kLineCount];
    float outLeft[FdnReverb::kLineCount];
    float outRight[FdnReverb::kLineCount];
};

float bell(float t, float centre) { return std::pow(1.0f - (t - centre) * (t - centre), 8.0f); }

Weights makeWeights() {
    const float baseLeft[FdnReverb::kLineCount] = {0.0f, 1.0f, 1.0f, 0.0f};
    const float baseRight[FdnReverb::kLineCount] = {1.0f, 0.0f, 0.0f, 1.0f};
    Weights w{};
    for (int k = 0; k < FdnReverb::kLineCount; ++k) {
        float t = static_cast<float>(k) / 4.0f;
        w.inLeft[k] = bell(t, 0.5f) * baseLeft[k];
        w.inRight[k] = bell(t, 0.5f) * baseRight[k];
        w.outLeft[k] = bell(t, 0.7f) * baseLeft[k];
        w.outRight[k] = bell(t, 0.2f) * baseRight[k];
    }
    return w;
}

const Weights kWeights = makeWeights();

constexpr EffectDescription describe(const char* name, const char* decay) {
    return {name,
            name,
            {{"Decay", decay, nullptr, nullptr},
             fx::dampingKnob("Damp", "High-Frequency Damping"),
             {"Mod", "Modulation (Echo Dispersion)", nullptr, nullptr},
             fx::kMixKnob}};
}

} // namespace

constinit const EffectDefinition FdnReverb::kRoomDefinition = {
    describe("Room Reverb", "Room Decay (Reverb Length)"),
    []() -> std::unique_ptr<Effect> { return std::make_unique<FdnReverb>(Size::kRoom); }};

constinit const EffectDefinition FdnReverb::kHallDefinition = {
    describe("Hall Reverb", "Hall Decay (Reverb Length)"),
    []() -> std::unique_ptr<Effect> { return std::make_unique<FdnReverb>(Size::kHall); }};

FdnReverb::FdnReverb(Size size)
    : scale_(size == Size::kRoom ? 0.3f : 0.7f), lfoRate_(size == Size::kRoom ? 2.3f : 1.3f),
      lfoFactor_(size == Size::kRoom ? 3.1f : 2.3f) {}

void FdnReverb::prepareBuffers(float sampleRate) {
    sampleRate_ = sampleRate;
    float controlRate = sampleRate / dsp::kBlockSize;
    float glide = fx::glideCoefficient(fx::kModulationGlideMs, sampleRate);
    for (int k = 0; k < kLineCount; ++k) {
        Line& line = lines_[k];
        line.length = kLineBase[k] * scale_ * sampleRate / 333.0f;
        line.delay.require(dsp::roundInt(line.length * (1.0f + kMaxModulation)) + 2);
        line.delay.setGlide(glide);
        line.diffuserLength = std::max(1, dsp::roundInt(line.length));
        line.diffuser.require(line.diffuserLength);
    }
    lfos_[0].setRate(lfoRate_, controlRate);
    lfos_[1].setRate(lfoRate_ * lfoFactor_, controlRate);
    for (TriangleLfo& lfo : lfos_)
        lfo.setSmoothing(kLfoSmoothingHz, controlRate);
}

// Decay 0..1 (the loop gain), Damp in Hz, Mod and Mix 0..1.
void FdnReverb::configure(const double* values, float) {
    decay_ = static_cast<float>(values[0]);
    auto damping = static_cast<float>(values[1]);
    auto mod = static_cast<float>(values[2]);
    float amount = 0.5f * mod * mod + 0.05f;
    float depth = amount * amount;
    float m1 = lfos_[0].advance();
    float m2 = lfos_[1].advance();
    const float modulators[kLineCount] = {m1, m2, m1 * m2, -m1 * m2};
    for (int k = 0; k < kLineCount; ++k) {
        Line& line = lines_[k];
        line.delay.setTarget(std::max(1.0f, (1.0f + depth * modulators[k] * 0.5f) * line.length));
        if (fresh_)
            line.delay.jump();
        line.damping.setCutoff(damping, sampleRate_);
    }
    fresh_ = false;
    auto mix = static_cast<float>(values[3]);
    setMix(mix * 0.5f, 1.0f - mix);
}

void FdnReverb::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    // The lines' state in locals for the block, out of reach of the sample stores.
    DelayLine::Cursor delays[kLineCount];
    DelayLine::Cursor diffusers[kLineCount];
    OnePoleLowPass damping[kLineCount];
    for (int k = 0; k < kLineCount; ++k) {
        delays[k] = lines_[k].delay.cursor();
        diffusers[k] = lines_[k].diffuser.cursor();
        damping[k] = lines_[k].damping;
    }
    for (int i = 0; i < n; ++i) {
        float r[kLineCount];
        float sum = 0.0f;
        for (int k = 0; k < kLineCount; ++k) {
            delays[k].glide();
            r[k] = delays[k].readLinear(delays[k].current);
            sum += r[k];
        }
        float left = 0.0f;
        float right = 0.0f;
        for (int k = 0; k < kLineCount; ++k) {
            float d = damping[k].process(r[k] - 0.5f * sum);
            float a = diffusers[k].readInteger(lines_[k].diffuserLength);
            float w = kDiffusion * a + d;
            diffusers[k].write(w);
            float o = a - kDiffusion * w;
            delays[k].write(o * decay_ + inLeft[i] * kWeights.inLeft[k] + inRight[i] * kWeights.inRight[k]);
            left += d * kWeights.outLeft[k];
            right += d * kWeights.outRight[k];
        }
        outLeft[i] = dry_ * inLeft[i] + wet_ * left;
        outRight[i] = dry_ * inRight[i] + wet_ * right;
    }
    for (int k = 0; k < kLineCount; ++k) {
        lines_[k].delay.keep(delays[k]);
        lines_[k].diffuser.keep(diffusers[k]);
        lines_[k].damping = damping[k];
    }
}

void FdnReverb::clear() {
    for (Line& line : lines_) {
        line.delay.clear();
        line.diffuser.clear();
        line.damping.clear();
    }
    for (TriangleLfo& lfo : lfos_)
        lfo.restart();
    fresh_ = true;
}

} // namespace trommik2
