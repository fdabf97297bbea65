#include "NoiseModule.h"

#include <cmath>
#include <cstring>

#include "Dsp.h"
#include "NextHit.h"
#include "RunBlock.h"

namespace trommik2 {

namespace {

enum Relative { kFrequency = 0, kResonance = 1, kAmpShape = 2, kPitchShape = 3, kLevel = 4 };
constexpr float kDcCutoff = 30.0f;

// The envelope's shape times the level, per sample, before the filters need it.
void shapeAmplitude(const float* __restrict envelope, float* __restrict amplitude, float ka, float level, int n) {
    for (int i = 0; i < n; ++i)
        amplitude[i] = dsp::shapeCurve(envelope[i], ka) * level;
}

} // namespace

NoiseModule::NoiseModule(const char* name, int firstIndex) : SoundModule(name, firstIndex, 5) {
    setDefault(firstIndex + kFrequency, 1000.0f);
    setDefault(firstIndex + kResonance, 0.1f);
    setDefault(firstIndex + kAmpShape, 1.0f);
    setDefault(firstIndex + kPitchShape, 0.0f);
    setDefault(firstIndex + kLevel, 1.0f);
    first_.setType(Biquad::kBandPass);
    second_.setType(Biquad::kBandPass);
    NoiseModule::setSampleRate(sampleRate_);
}

void NoiseModule::setSampleRate(float rate) {
    SoundModule::setSampleRate(rate);
    first_.setSampleRate(rate);
    second_.setSampleRate(rate);
    dcBlocker_.setCutoff(kDcCutoff, rate);
    lastSwept_ = -1.0f; // the band-passes need designing at the new rate
}

void NoiseModule::reset() {
    SoundModule::reset();
    std::memset(noiseBuffer_, 0, sizeof noiseBuffer_);
    first_.clear();
    second_.clear();
    dcBlocker_.clear();
}

void NoiseModule::generateNoise(const float* envelope, int n) {
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) {
        noiseBuffer_[i] = noise_.next() * gain_;
        sum += envelope[i];
    }
    measure_ = dsp::envelopeMeasure(measure_, sum, n);
}

void NoiseModule::updateCoefficients() {
    int first = firstIndex();
    float f = smoothed(first + kFrequency);
    float q = smoothed(first + kResonance);
    if (std::fabs(f - lastFrequency_) > 0.1f || std::fabs(q - lastQ_) > 0.01f) {
        lastFrequency_ = f;
        lastQ_ = q;
        float db = ((f / (sampleRate_ * 0.5f)) * 1.5f - 15.0f) * q / (9.0f - 8.0f * q);
        outputGain_ = std::pow(10.0f, 0.05f * db);
    }
    float qq = dsp::clip(1.0f - q, 0.00001f, 0.99999f);
    float kf = 1.0f / dsp::clip(smoothed(first + kPitchShape), 0.0001f, 0.9999f);
    float swept = dsp::clip((1.0f - dsp::shapeCurve(measure_, kf)) * f, 1.0f, 18000.0f);
    if (std::fabs(swept - lastSwept_) > 1.0f || std::fabs(qq - lastBandwidth_) > 0.001f) {
        first_.design(swept, 1.0);
        second_.design(swept, qq);
        lastSwept_ = swept;
        lastBandwidth_ = qq;
    }
}

void NoiseModule::render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n) {
    int first = firstIndex();
    float level = smoothed(first + kLevel);
    if (!(level > 0.001f && synthesisWeight > 0.001f)) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(n));
        return;
    }
    generateNoise(envelope, n);
    updateCoefficients();
    float ka = 1.0f / dsp::clip(smoothed(first + kAmpShape), 0.0001f, 0.9999f);
    float amplitude[64];
    dsp::runBlock(n, [&](int count) { shapeAmplitude(envelope, amplitude, ka, level, count); });
    filterBlock(triggers, amplitude, outputGain_ * velocity_, out, n);
}

// The filters' states in locals for the block, where the compiler keeps them in
// registers rather than storing and reloading them every sample; the loop runs
// from hit to hit, the hits found outside it.
void NoiseModule::filterBlock(const uint8_t* triggers, const float* amplitude, float g, float* out, int n) {
    Biquad firstSection = first_, secondSection = second_;
    OnePoleLowPass dcBlocker = dcBlocker_;
    for (int i = 0; i < n;) {
        if (resetPending_ || triggers[i]) {
            firstSection.clear();
            secondSection.clear();
            dcBlocker.clear();
            resetPending_ = false;
        }
        const int end = dsp::nextHit(triggers, i + 1, n);
        for (; i < end; ++i) {
            float x = noiseBuffer_[i] * g;
            float y = static_cast<float>(secondSection.process(firstSection.process(x)));
            float v = amplitude[i] * y;
            out[i] = v - dcBlocker.process(v);
        }
    }
    first_ = firstSection;
    second_ = secondSection;
    dcBlocker_ = dcBlocker;
}

} // namespace trommik2
