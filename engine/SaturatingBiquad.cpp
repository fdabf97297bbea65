#include "SaturatingBiquad.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Dsp.h"

namespace trommik2 {

SaturatingBiquad::SaturatingBiquad() { setType(Biquad::kLowPassQ); }

void SaturatingBiquad::setSampleRate(double rate) {
    for (Section& s : sections_)
        s.biquad.setSampleRate(rate);
}

void SaturatingBiquad::setType(int type) {
    for (Section& s : sections_)
        s.biquad.setType(type);
}

void SaturatingBiquad::setSaturationMix(double wet, double dry) {
    for (Section& s : sections_) {
        s.wet = wet;
        s.dry = dry;
    }
}

void SaturatingBiquad::design(double f, double r) {
    f = dsp::clip(f, 1.0, 20000.0);
    double shaped = dsp::clip((1.0 - std::pow(f / 20000.0, 12.0)) * r, 0.0, 1.0);
    double q = 10000.0 * std::pow(shaped, 256.0) + 10.0 * shaped * shaped + 2.0 * shaped + 0.5;
    // Both sections share type, rate and design: the second takes the first's result.
    sections_[0].biquad.design(f, q);
    sections_[1].biquad = sections_[0].biquad;
}

void SaturatingBiquad::clear() {
    for (Section& s : sections_)
        s.previous = s.z1 = s.z2 = 0.0;
}

// Whole filters one after the other: the first sections over the block, then
// the second ones of the 24 dB filters, which is what process() gives sample by sample.
void SaturatingBiquad::processTogether(SaturatingBiquad* const* filters, int count, double (*samples)[kTogether],
                                       int n) {
    Section unused;
    for (int section = 0; section < 2; ++section) {
        for (int k = 0; k < count; k += 2) {
            const bool second = k + 1 < count;
            const bool writeA = section == 0 || filters[k]->mode_ == 24;
            const bool writeB = second && (section == 0 || filters[k + 1]->mode_ == 24);
            if (writeA || writeB)
                stepPair(filters[k]->sections_[section], second ? filters[k + 1]->sections_[section] : unused, writeA,
                         writeB, samples, k, n);
        }
    }
}

#if defined(__SSE2__)
namespace {

// dsp::softClip in two lanes.
__m128d softClip(__m128d y) {
    const __m128d twentySeven = _mm_set1_pd(27.0);
    const __m128d numerator = _mm_mul_pd(y, _mm_add_pd(_mm_mul_pd(y, y), twentySeven));
    const __m128d denominator = _mm_add_pd(_mm_mul_pd(_mm_mul_pd(_mm_set1_pd(9.0), y), y), twentySeven);
    __m128d r = _mm_div_pd(numerator, denominator);
    const __m128d above = _mm_cmpgt_pd(y, _mm_set1_pd(3.0)), below = _mm_cmplt_pd(y, _mm_set1_pd(-3.0));
    r = _mm_or_pd(_mm_and_pd(above, _mm_set1_pd(1.0)), _mm_andnot_pd(above, r));
    return _mm_or_pd(_mm_and_pd(below, _mm_set1_pd(-1.0)), _mm_andnot_pd(below, r));
}

__m128d lanes(double a, double b) { return _mm_set_pd(b, a); }

void split(__m128d v, double& a, double& b) {
    _mm_storel_pd(&a, v);
    _mm_storeh_pd(&b, v);
}

} // namespace

// Section::step in two lanes, the same operations in the same order.
void SaturatingBiquad::stepPair(Section& a, Section& b, bool writeA, bool writeB, double (*samples)[kTogether],
                                int column, int n) {
    const __m128d b0 = lanes(a.biquad.b0(), b.biquad.b0()), b1 = lanes(a.biquad.b1(), b.biquad.b1());
    const __m128d b2 = lanes(a.biquad.b2(), b.biquad.b2()), a1 = lanes(a.biquad.a1(), b.biquad.a1());
    const __m128d a2 = lanes(a.biquad.a2(), b.biquad.a2());
    const __m128d wet = lanes(a.wet, b.wet), dry = lanes(a.dry, b.dry);
    const __m128d keep = _mm_castsi128_pd(_mm_set_epi64x(writeB ? 0 : -1, writeA ? 0 : -1));
    const __m128d feedback = _mm_set1_pd(0.03), saturated = _mm_set1_pd(0.97);
    __m128d previous = lanes(a.previous, b.previous), z1 = lanes(a.z1, b.z1), z2 = lanes(a.z2, b.z2);
    for (int i = 0; i < n; ++i) {
        double* at = samples[i] + column;
        const __m128d x = _mm_loadu_pd(at);
        const __m128d y = _mm_add_pd(_mm_mul_pd(b0, x), z1);
        const __m128d mixed = _mm_add_pd(_mm_mul_pd(feedback, previous), _mm_mul_pd(saturated, softClip(y)));
        const __m128d out = _mm_add_pd(_mm_mul_pd(mixed, wet), _mm_mul_pd(dry, y));
        previous = out;
        z1 = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(b1, x), z2), _mm_mul_pd(a1, out));
        z2 = _mm_sub_pd(_mm_mul_pd(b2, x), _mm_mul_pd(a2, out));
        _mm_storeu_pd(at, _mm_or_pd(_mm_and_pd(keep, x), _mm_andnot_pd(keep, out)));
    }
    split(previous, a.previous, b.previous);
    split(z1, a.z1, b.z1);
    split(z2, a.z2, b.z2);
}
#else
void SaturatingBiquad::stepPair(Section& a, Section& b, bool writeA, bool writeB, double (*samples)[kTogether],
                                int column, int n) {
    for (int i = 0; i < n; ++i) {
        double* at = samples[i] + column;
        if (writeA)
            at[0] = a.step(at[0]);
        if (writeB)
            at[1] = b.step(at[1]);
    }
}
#endif

} // namespace trommik2
