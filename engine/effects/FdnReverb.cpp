#include "FdnReverb.h"

#include <algorithm>
#include <cmath>

#include "CommonKnobs.h"
#include "engine/Dsp.h"
#include "engine/Float4.h"

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

// The four lines run in the four lanes of one register, each lane with the
// scalar operations of one line; only the reads and writes of the lines'
// buffers go one line at a time, and the sums across the lines keep their order.
void FdnReverb::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    // The lines' state and the block's settings in locals, out of reach of the sample stores.
    DelayLine::Cursor delays[kLineCount];
    DelayLine::Cursor diffusers[kLineCount];
    int diffuserLength[kLineCount];
    Float4 current, target, glide, length, writePosition, pole, damped;
    for (int k = 0; k < kLineCount; ++k) {
        delays[k] = lines_[k].delay.cursor();
        diffusers[k] = lines_[k].diffuser.cursor();
        diffuserLength[k] = lines_[k].diffuserLength;
        current[k] = delays[k].current;
        target[k] = delays[k].target;
        glide[k] = delays[k].coefficient;
        length[k] = static_cast<float>(delays[k].length);
        writePosition[k] = static_cast<float>(delays[k].writeIndex);
        pole[k] = lines_[k].damping.pole();
        damped[k] = lines_[k].damping.state();
    }
    const Float4 inLeftWeight = load4(kWeights.inLeft), inRightWeight = load4(kWeights.inRight);
    const Float4 outLeftWeight = load4(kWeights.outLeft), outRightWeight = load4(kWeights.outRight);
    const float decay = decay_, dry = dry_, wet = wet_;
    for (int i = 0; i < n; ++i) {
        current += (target - current) * glide;
        // Each delay read at its fractional position (DelayLine::Cursor::readLinear).
        Float4 position = writePosition - current;
        while (anyLane(position < 0.0f))
            position += position < 0.0f ? length : Float4{};
        const Int4 whole = roundInt4(position);
        const Float4 fraction = position - toFloat4(whole);
        // Lanes filled from scalars as one vector, not one by one through memory.
        auto at = [&](int k) { return whole[k] >= delays[k].length ? whole[k] % delays[k].length : whole[k]; };
        const int at0 = at(0), at1 = at(1), at2 = at(2), at3 = at(3);
        const Float4 first = {delays[0].data[at0], delays[1].data[at1], delays[2].data[at2], delays[3].data[at3]};
        const Float4 second = {delays[0].data[delays[0].next(at0)], delays[1].data[delays[1].next(at1)],
                               delays[2].data[delays[2].next(at2)], delays[3].data[delays[3].next(at3)]};
        const Float4 r = first + fraction * (second - first);
        const float sum = 0.0f + r[0] + r[1] + r[2] + r[3];
        damped = (1.0f - pole) * (r - 0.5f * sum) + pole * damped;
        const Float4 a = {diffusers[0].readInteger(diffuserLength[0]), diffusers[1].readInteger(diffuserLength[1]),
                          diffusers[2].readInteger(diffuserLength[2]), diffusers[3].readInteger(diffuserLength[3])};
        const Float4 w = kDiffusion * a + damped;
        const Float4 fed = (a - kDiffusion * w) * decay + inLeft[i] * inLeftWeight + inRight[i] * inRightWeight;
        for (int k = 0; k < kLineCount; ++k) {
            diffusers[k].write(w[k]);
            delays[k].write(fed[k]);
        }
        writePosition += 1.0f;
        writePosition = writePosition >= length ? Float4{} : writePosition;
        const Float4 l = damped * outLeftWeight, rr = damped * outRightWeight;
        outLeft[i] = dry * inLeft[i] + wet * (0.0f + l[0] + l[1] + l[2] + l[3]);
        outRight[i] = dry * inRight[i] + wet * (0.0f + rr[0] + rr[1] + rr[2] + rr[3]);
    }
    for (int k = 0; k < kLineCount; ++k) {
        delays[k].current = current[k];
        lines_[k].delay.keep(delays[k]);
        lines_[k].diffuser.keep(diffusers[k]);
        lines_[k].damping.setState(damped[k]);
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
