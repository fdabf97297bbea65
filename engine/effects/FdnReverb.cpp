#include "FdnReverb.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

namespace {

// The four lines for a block, one lane of each register per line: each lane
// does one line's scalar operations, only the reads and writes of the lines'
// buffers go one line at a time, and the sums across the lines keep their
// order, so the sound is that of four scalar lines to the bit. In locals for
// the block, out of reach of the sample stores; the buffers are written in
// runs within which no index wraps, so that a write is a store.
struct LineLanes {
    DelayLine::Cursor delays[FdnReverb::kLineCount];
    DelayLine::Cursor diffusers[FdnReverb::kLineCount];
    int diffuserRead[FdnReverb::kLineCount];
    Float4 current, target, glide, length, writePosition, pole, damped;
    Float4 inLeftWeight, inRightWeight, outLeftWeight, outRightWeight;
    float decay, dry, wet;

    // One sample, the j-th of a run: the buffers' indices are the run's first plus j.
    void step(float inLeft, float inRight, int j, float& outLeft, float& outRight) {
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
        const Float4 a = {diffusers[0].data[diffuserRead[0] + j], diffusers[1].data[diffuserRead[1] + j],
                          diffusers[2].data[diffuserRead[2] + j], diffusers[3].data[diffuserRead[3] + j]};
        const Float4 w = kDiffusion * a + damped;
        const Float4 fed = (a - kDiffusion * w) * decay + inLeft * inLeftWeight + inRight * inRightWeight;
        for (int k = 0; k < FdnReverb::kLineCount; ++k) {
            diffusers[k].data[diffusers[k].writeIndex + j] = w[k];
            delays[k].data[delays[k].writeIndex + j] = fed[k];
        }
        writePosition += 1.0f;
        writePosition = writePosition >= length ? Float4{} : writePosition;
        const Float4 l = damped * outLeftWeight, rr = damped * outRightWeight;
        outLeft = dry * inLeft + wet * (0.0f + l[0] + l[1] + l[2] + l[3]);
        outRight = dry * inRight + wet * (0.0f + rr[0] + rr[1] + rr[2] + rr[3]);
    }

    // How many samples every buffer can be written and every diffuser read before an index wraps.
    int room() const {
        int samples = std::numeric_limits<int>::max();
        for (int k = 0; k < FdnReverb::kLineCount; ++k) {
            samples = std::min(samples, delays[k].length - delays[k].writeIndex);
            samples = std::min(samples, diffusers[k].length - diffusers[k].writeIndex);
            samples = std::min(samples, diffusers[k].length - diffuserRead[k]);
        }
        return samples;
    }

    // After a run of m samples, as m writes and reads would leave the indices.
    void advance(int m) {
        auto forward = [m](int& index, int end) { index = index + m >= end ? 0 : index + m; };
        for (int k = 0; k < FdnReverb::kLineCount; ++k) {
            delays[k].wrapped = delays[k].wrapped || delays[k].writeIndex + m >= delays[k].length;
            diffusers[k].wrapped = diffusers[k].wrapped || diffusers[k].writeIndex + m >= diffusers[k].length;
            forward(delays[k].writeIndex, delays[k].length);
            forward(diffusers[k].writeIndex, diffusers[k].length);
            forward(diffuserRead[k], diffusers[k].length);
        }
    }
};

} // namespace

void FdnReverb::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int n) {
    LineLanes lanes;
    for (int k = 0; k < kLineCount; ++k) {
        const DelayLine::Cursor delay = lines_[k].delay.cursor();
        const DelayLine::Cursor diffuser = lines_[k].diffuser.cursor();
        lanes.delays[k] = delay;
        lanes.diffusers[k] = diffuser;
        // Where DelayLine::Cursor::readInteger reads the diffuser's own length back.
        const int read = diffuser.writeIndex - lines_[k].diffuserLength;
        lanes.diffuserRead[k] = read < 0 ? read + diffuser.length : read;
        lanes.current[k] = delay.current;
        lanes.target[k] = delay.target;
        lanes.glide[k] = delay.coefficient;
        lanes.length[k] = static_cast<float>(delay.length);
        lanes.writePosition[k] = static_cast<float>(delay.writeIndex);
        lanes.pole[k] = lines_[k].damping.pole();
        lanes.damped[k] = lines_[k].damping.state();
    }
    lanes.inLeftWeight = load4(kWeights.inLeft);
    lanes.inRightWeight = load4(kWeights.inRight);
    lanes.outLeftWeight = load4(kWeights.outLeft);
    lanes.outRightWeight = load4(kWeights.outRight);
    lanes.decay = decay_;
    lanes.dry = dry_;
    lanes.wet = wet_;
    for (int i = 0; i < n;) {
        const int run = std::min(lanes.room(), n - i);
        for (int j = 0; j < run; ++j)
            lanes.step(inLeft[i + j], inRight[i + j], j, outLeft[i + j], outRight[i + j]);
        lanes.advance(run);
        i += run;
    }
    for (int k = 0; k < kLineCount; ++k) {
        lanes.delays[k].current = lanes.current[k];
        lines_[k].delay.keep(lanes.delays[k]);
        lines_[k].diffuser.keep(lanes.diffusers[k]);
        lines_[k].damping.setState(lanes.damped[k]);
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
