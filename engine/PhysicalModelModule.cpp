#include "PhysicalModelModule.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "Dsp.h"
#include "Float4.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

constexpr int kLines = 2 * PhysicalModelModule::kLoops;
constexpr float kAllPass = 0.71f;
constexpr float kOutputScale = 1.0f / PhysicalModelModule::kLoops;
constexpr float kSmallestScale = 0.3f;
constexpr float kScaleRange = 4.7f;
constexpr float kLengthDivisor = 4900.0f;

// Relative line lengths: every step a little wider than the one before, so the
// loops share as few resonances as possible and the surface sounds inharmonic.
constexpr std::array<float, kLines> lengthFactors() {
    std::array<float, kLines> factors{};
    float factor = 1.0f;
    float ratio = 1.13f;
    for (float& f : factors) {
        f = factor;
        factor *= ratio;
        ratio *= 1.019f;
    }
    return factors;
}

constexpr std::array<float, kLines> kLengthFactors = lengthFactors();

// The surface's state for a block, in locals rather than members: the lines'
// samples are floats too, so a member would be reloaded after every store.
struct SurfaceRun {
    LoopLines::Cursor lines;
    OnePoleLowPass damping[PhysicalModelModule::kLoops];
    int lengths[kLines];
    float gain;
    float junction;
    float volume;

    // One sample.
    float one(float excitation) {
        float a[PhysicalModelModule::kLoops];
        float b[PhysicalModelModule::kLoops];
        float sum = 0.0f;
#pragma GCC unroll 6
        for (int k = 0; k < PhysicalModelModule::kLoops; ++k) {
            a[k] = damping[k].process(lines.read(2 * k, lengths[2 * k]));
            b[k] = lines.read(2 * k + 1, lengths[2 * k + 1]);
            sum += a[k];
        }
        // Every loop hears the common reflection of all of them plus the exciter.
        float u = junction * sum + excitation;
#pragma GCC unroll 6
        for (int k = 0; k < PhysicalModelModule::kLoops; ++k) {
            float y = kAllPass * b[k] + gain * a[k] + u;
            lines.put(2 * k + 1, y);
            lines.put(2 * k, b[k] - kAllPass * y);
        }
        lines.advance();
        return sum * kOutputScale * volume;
    }

    // Four samples with the arithmetic of one() in four lanes, so the sound is
    // the same to the bit. Needs lines of at least four samples: the group's
    // reads then all precede its writes, and no line may wrap within the four
    // (room).
    void four(const float* excitation, float* result) {
        Float4 a[PhysicalModelModule::kLoops];
        Float4 b[PhysicalModelModule::kLoops];
        Float4 sum = {};
#pragma GCC unroll 6
        for (int k = 0; k < PhysicalModelModule::kLoops; ++k) {
            // The damping's recursion runs sample by sample, from the line itself.
            const float* x = lines.at(2 * k, lengths[2 * k]);
            const float a0 = damping[k].process(x[0]);
            const float a1 = damping[k].process(x[1]);
            const float a2 = damping[k].process(x[2]);
            a[k] = Float4{a0, a1, a2, damping[k].process(x[3])};
            b[k] = load4(lines.at(2 * k + 1, lengths[2 * k + 1]));
            sum += a[k];
        }
        Float4 u = junction * sum + load4(excitation);
#pragma GCC unroll 6
        for (int k = 0; k < PhysicalModelModule::kLoops; ++k) {
            Float4 y = kAllPass * b[k] + gain * a[k] + u;
            store4(lines.at(2 * k + 1, 0), y);
            store4(lines.at(2 * k, 0), b[k] - kAllPass * y);
        }
        lines.write += 4;
        store4(result, sum * kOutputScale * volume);
    }

    // How many samples every line can read and write before one of them wraps.
    int room() const {
        int samples = lines.untilWrap(0);
        for (int line = 0; line < kLines; ++line)
            samples = std::min(samples, lines.untilWrap(lengths[line]));
        return samples;
    }
};

} // namespace

PhysicalModelModule::PhysicalModelModule() : SoundModule("PM Module", GenPMSize, 8) {
    setDefault(GenPMSize, 0.5f);
    setDefault(GenPMExciterFreq, 1000.0f);
    setDefault(GenPMExciterQ, 0.5f);
    setDefault(GenPMDamping, 0.5f);
    setDefault(GenPMEnvShapePitch, 0.5f);
    setDefault(GenPMDampFreq, 20000.0f);
    setDefault(GenPMDynamicEnv, 0.0f);
    setDefault(GenPMVolume, 1.0f);
    exciterFilter_.setType(Biquad::kBandPass);
    PhysicalModelModule::setSampleRate(sampleRate_);
}

int PhysicalModelModule::lineLength(int k, float scale) const {
    int length = dsp::roundInt(kLengthFactors[static_cast<size_t>(k)] * sampleRate_ * scale / kLengthDivisor);
    // A line needs at least one sample of delay; only very low rates get here.
    return length < 1 ? 1 : length;
}

void PhysicalModelModule::setSampleRate(float rate) {
    SoundModule::setSampleRate(rate);
    exciterFilter_.setSampleRate(rate);
    // Rendering never allocates: the lines take the largest size's lengths now.
    lines_.require(kLines, lineLength(kLines - 1, kSmallestScale + kScaleRange));
    lastSize_ = -1.0f;             // the lengths follow the new rate at the next block
    lastExciterFrequency_ = -1.0f; // and the exciter is designed for it
}

void PhysicalModelModule::reset() {
    SoundModule::reset();
    std::memset(envelope_, 0, sizeof envelope_);
    std::memset(exciter_, 0, sizeof exciter_);
    measure_ = 0.0f; // part of the exciter: a reset model sounds as a new one
    exciterFilter_.clear();
    lines_.clear();
    for (OnePoleLowPass& filter : damping_)
        filter.clear();
    noise_.reseed();
}

void PhysicalModelModule::distribute(const float* envelope, int n) {
    auto bend = [](auto e) { return e / (9.0f - 8.0f * e); };
    int i = 0;
    for (; i + 4 <= n; i += 4)
        store4(envelope_ + i, bend(load4(envelope + i)));
    for (; i < n; ++i)
        envelope_[i] = bend(envelope[i]);
    float sum = 0.0f;
    for (i = 0; i < n; ++i)
        sum += envelope_[i];
    measure_ = dsp::envelopeMeasure(measure_, sum, n);
}

void PhysicalModelModule::updateExciterFilter() {
    float bandwidth = 1.0f / (3.0f * dsp::clip(smoothed(GenPMExciterQ), 0.0f, 1.0f) + 0.5f);
    // Kept off 0 and 1: the shape curve is 0/0 there at the ends of the measure.
    float shape = dsp::clip(smoothed(GenPMEnvShapePitch), 0.0001f, 0.9999f);
    float sweep = dsp::clip(1.0f - dsp::shapeCurve(measure_, 1.0f / shape), 0.001f, 0.999f);
    float frequency = sweep * smoothed(GenPMExciterFreq);
    if (resetPending_ || frequency != lastExciterFrequency_ || bandwidth != lastBandwidth_) {
        exciterFilter_.design(dsp::clip(frequency, 50.0f, 18000.0f), bandwidth);
        lastExciterFrequency_ = frequency;
        lastBandwidth_ = bandwidth;
    }
}

void PhysicalModelModule::updateLoopGain(float blend) {
    float damping = smoothed(GenPMDamping);
    if (!resetPending_ && damping == lastDamping_)
        return;
    lastDamping_ = damping;
    float squared = damping * damping;
    loopGain_ = dsp::clip((1.0f - squared * squared) / (blend * 0.002f + 1.0f), 0.0f, 1.0f);
    junction_ = -2.0f * loopGain_ / kLoops;
}

void PhysicalModelModule::excite(const uint8_t* triggers, float blend, int n) {
    float v = velocity_;
    // State in locals for the block (registers, not memory, from sample to sample).
    Biquad filter = exciterFilter_;
    NoiseGenerator noise = noise_;
    for (int i = 0; i < n; ++i) {
        if (resetPending_ || triggers[i]) {
            filter.clear();
            resetPending_ = false;
        }
        float e = envelope_[i];
        float e2 = e * e;
        // Low velocities with dynamics give the burst a steeper, shorter envelope.
        float x = (e2 * e2 * blend + e * (1.0f - blend)) * v * noise.next();
        exciter_[i] = static_cast<float>(filter.process(x));
    }
    exciterFilter_ = filter;
    noise_ = noise;
}

void PhysicalModelModule::updateSize() {
    float size = smoothed(GenPMSize);
    if (std::fabs(size - lastSize_) <= 0.001f)
        return;
    lastSize_ = size;
    float scale = dsp::clip(size, 0.0f, 1.0f) * kScaleRange + kSmallestScale;
    // Within the lengths reserved at setSampleRate.
    for (int k = 0; k < kLines; ++k)
        lengths_[k] = lineLength(k, scale);
}

void PhysicalModelModule::updateDamping() {
    float cutoff = smoothed(GenPMDampFreq); // clipped below Nyquist by the filter
    for (OnePoleLowPass& filter : damping_)
        filter.setCutoff(cutoff, sampleRate_);
}

void PhysicalModelModule::surface(float volume, float* out, int n) {
    SurfaceRun run{lines_.cursor(), {}, {}, loopGain_, junction_, volume};
    std::copy_n(damping_, kLoops, run.damping);
    std::copy_n(lengths_, kLines, run.lengths);
    int i = 0;
    // Lines grow with their index: line 0 is the shortest.
    if (run.lengths[0] >= 4) {
        while (i + 4 <= n) {
            const int end = i + std::min(run.room(), n - i) / 4 * 4;
            if (end == i)
                out[i] = run.one(exciter_[i]), ++i; // a line wraps within four
            for (; i < end; i += 4)
                run.four(exciter_ + i, out + i);
        }
    }
    for (; i < n; ++i)
        out[i] = run.one(exciter_[i]);
    lines_.keep(run.lines);
    std::copy_n(run.damping, kLoops, damping_);
}

void PhysicalModelModule::render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out,
                                 int n) {
    float volume = smoothed(GenPMVolume);
    if (!(volume > 0.001f && synthesisWeight > 0.001f)) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(n));
        return;
    }
    distribute(envelope, n);
    float blend = smoothed(GenPMDynamicEnv) * (1.0f - velocity_);
    updateExciterFilter();
    updateLoopGain(blend);
    excite(triggers, blend, n);
    updateSize();
    updateDamping();
    surface(volume, out, n);
}

} // namespace trommik2
