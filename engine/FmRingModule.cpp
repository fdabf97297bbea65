#include "FmRingModule.h"

#include <cmath>
#include <cstring>

#include "Dsp.h"
#include "NextHit.h"
#include "RunBlock.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

namespace {

// The kernels of the block passes, over __restrict parameters so that the
// compiler vectorises them (dsp::runBlock).
void shapeBlock(const float* __restrict envelope, float* __restrict shaped, float k, int n) {
    for (int i = 0; i < n; ++i)
        shaped[i] = dsp::shapeCurve(envelope[i], k);
}

void modulationBlock(const float* __restrict other, const float* __restrict ring, float* __restrict modulation, float r,
                     float amount, int n) {
    for (int i = 0; i < n; ++i)
        modulation[i] = (other[i] * (1.0f - r) + ring[i] * r) * amount;
}

// The anti-denormal constant c changes sign from sample to sample, from +c at the first.
void mixBlock(const float* __restrict first, const float* __restrict second, float* __restrict out,
              float* __restrict ring, float c, float ringAmount, float g1, float g2, int n) {
    for (int i = 0; i < n; ++i) {
        const float d = (i & 1) ? -c : c;
        float a = first[i] + d;
        float b = second[i] + d;
        float product = a * b * ringAmount;
        out[i] = (b * g2 + g1 * a) * (1.0f - ringAmount) + product;
        ring[i] = product;
    }
}

} // namespace

FmRingModule::FmRingModule() : SoundModule("FM/Ring Module", GenFMRingTune1, 14), antiDenormal_(dsp::kAntiDenormal) {
    setDefault(GenFMRingTune1, 36.0f);
    setDefault(GenFMRingTune2, 0.0f);
    setDefault(GenFMRingDeform1, 0.0f);
    setDefault(GenFMRingDeform2, 0.0f);
    setDefault(GenFMRingFMMode, 0.0f);
    setDefault(GenFMRingXModAmt, 0.0f);
    setDefault(GenFMRingRingModAmt, 0.0f);
    setDefault(GenFMRingDynamicMod, 0.0f);
    setDefault(GenFMRingEnvAmt1, 1.0f);
    setDefault(GenFMRingEnvAmt2, 1.0f);
    setDefault(GenFMRingPitchEnv1, 1.0f);
    setDefault(GenFMRingPitchEnv2, 1.0f);
    setDefault(GenFMRingVol1, 1.0f);
    setDefault(GenFMRingVol2, 1.0f);
    FmRingModule::setSampleRate(sampleRate_);
}

void FmRingModule::setSampleRate(float rate) {
    SoundModule::setSampleRate(rate);
    for (PhaseDistortionOscillator& oscillator : oscillators_)
        oscillator.setSampleRate(rate);
}

void FmRingModule::reset() {
    SoundModule::reset();
    std::memset(outputs_, 0, sizeof outputs_);
    std::memset(shaped_, 0, sizeof shaped_);
    std::memset(modulation_, 0, sizeof modulation_);
    std::memset(ring_, 0, sizeof ring_);
    std::memset(measures_, 0, sizeof measures_); // a reset module sweeps as a new one
    for (PhaseDistortionOscillator& oscillator : oscillators_)
        oscillator.restart();
}

void FmRingModule::shapeEnvelopes(const float* envelope, int n) {
    for (int j = 0; j < kOscillators; ++j) {
        float k = 1.0f / dsp::clip(smoothed(GenFMRingEnvAmt1 + j) * 0.99f, 0.0001f, 0.9999f);
        float* shaped = shaped_[j];
        dsp::runBlock(n, [&](int count) { shapeBlock(envelope, shaped, k, count); });
        float sum = 0.0f;
        for (int i = 0; i < n; ++i)
            sum += shaped[i];
        float m = measures_[j];
        measures_[j] = (dsp::envelopeMeasure(m, sum, n) + m) * 0.5f;
    }
}

void FmRingModule::prepareModulation(int n) {
    float v = velocity_;
    float dynamics = smoothed(GenFMRingDynamicMod);
    float amount = smoothed(GenFMRingXModAmt) * ((1.0f - dynamics) + dynamics * v * v);
    float r = smoothed(GenFMRingRingModAmt) * 0.5f;
    // Mode 0: 1 modulates 2; mode 1: 2 modulates 1; mode 2 both ways. A value
    // between modes (from automation or a host) plays the nearest mode, which is
    // the one its label names.
    int mode = nearestStep(target(GenFMRingFMMode), 0, 2);
    float amount1 = mode == 0 ? 0.0f : amount;
    float amount2 = mode == 1 ? 0.0f : amount;
    // Each oscillator hears the other (sums and products in either order are the same).
    dsp::runBlock(n, [&](int count) {
        modulationBlock(outputs_[1], ring_, modulation_[0], r, amount1, count);
        modulationBlock(outputs_[0], ring_, modulation_[1], r, amount2, count);
    });
}

void FmRingModule::updateOscillators() {
    float note1 = dsp::clip(smoothed(GenFMRingTune1), 0.0f, 127.0f);
    float notes[kOscillators] = {note1, dsp::clip(note1 + smoothed(GenFMRingTune2), 0.0f, 127.0f)};
    for (int j = 0; j < kOscillators; ++j) {
        float exponent = (notes[j] - 69.0f) / 12.0f;
        if (std::fabs(exponent - lastExponents_[j]) > 0.01f) {
            lastExponents_[j] = exponent;
            pitches_[j] = 440.0f * std::exp2(exponent);
        }
        float f = pitches_[j];
        // The distortion fades out toward a sixth of the rate, where its overtones would alias.
        float fade = 1.0f - dsp::clip(3.0f * f * twoOverSampleRate_, 0.0f, 1.0f);
        oscillators_[j].setDistortion(phaseDistortionAmount(smoothed(GenFMRingDeform1 + j), fade));
        float p = dsp::clip(smoothed(GenFMRingPitchEnv1 + j), 0.0001f, 0.99f);
        float swept = (1.0f - dsp::shapeCurve(measures_[j], 1.0f / p)) * f;
        oscillators_[j].setFrequency(dsp::clip(swept, 1.0f, 18000.0f));
    }
}

// From hit to hit, each oscillator over the stretch in one go.
void FmRingModule::runOscillators(const uint8_t* triggers, int n) {
    for (int i = 0; i < n;) {
        if (resetPending_ || triggers[i]) {
            for (PhaseDistortionOscillator& oscillator : oscillators_)
                oscillator.restart();
            resetPending_ = false;
        }
        const int end = dsp::nextHit(triggers, i + 1, n);
        for (int j = 0; j < kOscillators; ++j)
            oscillators_[j].render(modulation_[j] + i, shaped_[j] + i, outputs_[j] + i, end - i);
        i = end;
    }
}

void FmRingModule::mixOutput(float* out, int n) {
    float v = velocity_;
    float dynamics = smoothed(GenFMRingDynamicMod);
    float ringAmount = smoothed(GenFMRingRingModAmt) * (dynamics * v * v + (1.0f - dynamics) * v);
    float g1 = smoothed(GenFMRingVol1) * v;
    float g2 = smoothed(GenFMRingVol2) * v;
    const float c = antiDenormal_;
    dsp::runBlock(n, [&](int count) { mixBlock(outputs_[0], outputs_[1], out, ring_, c, ringAmount, g1, g2, count); });
    if (n & 1)
        antiDenormal_ = -c;
}

void FmRingModule::render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n) {
    bool audible = smoothed(GenFMRingVol1) > 0.001f || smoothed(GenFMRingVol2) > 0.001f;
    if (!(audible && synthesisWeight > 0.001f)) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(n));
        return;
    }
    shapeEnvelopes(envelope, n);
    prepareModulation(n);
    updateOscillators();
    runOscillators(triggers, n);
    mixOutput(out, n);
}

} // namespace trommik2
