#include "NoiseModule.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Dsp.h"
#include "NextHit.h"
#include "OnePoleLowPass.h"
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
    OnePoleLowPass dcBlocker;
    dcBlocker.setCutoff(kDcCutoff, rate);
    dcPole_ = dcBlocker.pole();
    lastSwept_ = -1.0f; // the band-passes need designing at the new rate
}

void NoiseModule::reset() {
    SoundModule::reset();
    std::memset(noiseBuffer_, 0, sizeof noiseBuffer_);
    first_.clear();
    second_.clear();
    dcState_ = 0.0f;
}

void NoiseModule::generateNoise(const float* envelope, int n) {
    // The generator in a local: stores into the buffer would make the compiler reload it.
    NoiseGenerator noise = noise_;
    const float gain = gain_;
    float sum = 0.0f;
    for (int i = 0; i < n; ++i) {
        noiseBuffer_[i] = noise.next() * gain;
        sum += envelope[i];
    }
    noise_ = noise;
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

bool NoiseModule::prepare(const float* envelope, float synthesisWeight, float* amplitude, float* out, int n) {
    int first = firstIndex();
    float level = smoothed(first + kLevel);
    if (!(level > 0.001f && synthesisWeight > 0.001f)) {
        std::memset(out, 0, sizeof(float) * static_cast<size_t>(n));
        return false;
    }
    generateNoise(envelope, n);
    updateCoefficients();
    float ka = 1.0f / dsp::clip(smoothed(first + kAmpShape), 0.0001f, 0.9999f);
    dsp::runBlock(n, [&](int length) { shapeAmplitude(envelope, amplitude, ka, level, length); });
    return true;
}

void NoiseModule::render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n) {
    float amplitude[dsp::kBlockSize];
    if (prepare(envelope, synthesisWeight, amplitude, out, n))
        filterBlock(triggers, amplitude, out, n);
}

void NoiseModule::renderPair(NoiseModule& a, NoiseModule& b, const float* envelope, const uint8_t* triggers,
                             float synthesisWeight, float* outA, float* outB, int n) {
    float amplitudeA[dsp::kBlockSize], amplitudeB[dsp::kBlockSize];
    const bool soundsA = a.prepare(envelope, synthesisWeight, amplitudeA, outA, n);
    const bool soundsB = b.prepare(envelope, synthesisWeight, amplitudeB, outB, n);
    if (soundsA && soundsB) {
        filterPair(a, b, triggers, amplitudeA, amplitudeB, outA, outB, n);
    } else if (soundsA) {
        a.filterBlock(triggers, amplitudeA, outA, n);
    } else if (soundsB) {
        b.filterBlock(triggers, amplitudeB, outB, n);
    }
}

// The filters' states in locals for the block, where the compiler keeps them in
// registers rather than storing and reloading them every sample; the loop runs
// from hit to hit, the hits found outside it.
void NoiseModule::filterBlock(const uint8_t* triggers, const float* amplitude, float* out, int n) {
    const float g = outputGain_ * velocity_;
    const float p = dcPole_;
    Biquad firstSection = first_, secondSection = second_;
    float dc = dcState_;
    for (int i = 0; i < n;) {
        if (resetPending_ || triggers[i]) {
            firstSection.clear();
            secondSection.clear();
            dc = 0.0f;
            resetPending_ = false;
        }
        for (const int end = dsp::nextHit(triggers, i + 1, n); i < end; ++i) {
            float x = noiseBuffer_[i] * g;
            float y = static_cast<float>(secondSection.process(firstSection.process(x)));
            float v = amplitude[i] * y;
            dc = (1.0f - p) * v + p * dc;
            out[i] = v - dc;
        }
    }
    first_ = firstSection;
    second_ = secondSection;
    dcState_ = dc;
}

#if defined(__SSE2__)
namespace {

// A biquad of each of two parts in two lanes: Biquad::process's operations in its order.
struct BiquadPair {
    BiquadPair(const Biquad& a, const Biquad& b)
        : b0(_mm_set_pd(b.b0(), a.b0())), b1(_mm_set_pd(b.b1(), a.b1())), b2(_mm_set_pd(b.b2(), a.b2())),
          a1(_mm_set_pd(b.a1(), a.a1())), a2(_mm_set_pd(b.a2(), a.a2())), z1(_mm_set_pd(b.z1(), a.z1())),
          z2(_mm_set_pd(b.z2(), a.z2())) {}

    __m128d process(__m128d x) {
        const __m128d y = _mm_add_pd(_mm_mul_pd(b0, x), z1);
        z1 = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(b1, x), z2), _mm_mul_pd(a1, y));
        z2 = _mm_sub_pd(_mm_mul_pd(b2, x), _mm_mul_pd(a2, y));
        return y;
    }
    void clear() { z1 = z2 = _mm_setzero_pd(); }
    void store(Biquad& a, Biquad& b) const {
        double z1s[2], z2s[2];
        _mm_storeu_pd(z1s, z1);
        _mm_storeu_pd(z2s, z2);
        a.setState(z1s[0], z2s[0]);
        b.setState(z1s[1], z2s[1]);
    }

    __m128d b0, b1, b2, a1, a2, z1, z2;
};

__m128 pairOf(float a, float b) { return _mm_setr_ps(a, b, 0.0f, 0.0f); }
__m128 load(const float* a, const float* b) { return _mm_unpacklo_ps(_mm_load_ss(a), _mm_load_ss(b)); }

} // namespace

void NoiseModule::filterPair(NoiseModule& a, NoiseModule& b, const uint8_t* triggers, const float* amplitudeA,
                             const float* amplitudeB, float* outA, float* outB, int n) {
    const __m128 g = pairOf(a.outputGain_ * a.velocity_, b.outputGain_ * b.velocity_);
    const __m128 p = pairOf(a.dcPole_, b.dcPole_);
    const __m128 q = _mm_sub_ps(_mm_set1_ps(1.0f), p);
    BiquadPair firstSection(a.first_, b.first_), secondSection(a.second_, b.second_);
    __m128 dc = pairOf(a.dcState_, b.dcState_);
    // A pending reset finds the states cleared already (reset() cleared them).
    a.resetPending_ = b.resetPending_ = false;
    for (int i = 0; i < n;) {
        if (triggers[i]) {
            firstSection.clear();
            secondSection.clear();
            dc = _mm_setzero_ps();
        }
        for (const int end = dsp::nextHit(triggers, i + 1, n); i < end; ++i) {
            const __m128 x = _mm_mul_ps(load(a.noiseBuffer_ + i, b.noiseBuffer_ + i), g);
            const __m128d filtered = secondSection.process(firstSection.process(_mm_cvtps_pd(x)));
            const __m128 v = _mm_mul_ps(load(amplitudeA + i, amplitudeB + i), _mm_cvtpd_ps(filtered));
            dc = _mm_add_ps(_mm_mul_ps(q, v), _mm_mul_ps(p, dc));
            const __m128 out = _mm_sub_ps(v, dc);
            _mm_store_ss(outA + i, out);
            _mm_store_ss(outB + i, _mm_shuffle_ps(out, out, 1));
        }
    }
    firstSection.store(a.first_, b.first_);
    secondSection.store(a.second_, b.second_);
    float states[4];
    _mm_storeu_ps(states, dc);
    a.dcState_ = states[0];
    b.dcState_ = states[1];
}
#else
void NoiseModule::filterPair(NoiseModule& a, NoiseModule& b, const uint8_t* triggers, const float* amplitudeA,
                             const float* amplitudeB, float* outA, float* outB, int n) {
    a.filterBlock(triggers, amplitudeA, outA, n);
    b.filterBlock(triggers, amplitudeB, outB, n);
}
#endif

} // namespace trommik2
