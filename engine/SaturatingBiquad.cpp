#include "SaturatingBiquad.h"

#include <algorithm>
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

void SaturatingBiquad::processTogether(SaturatingBiquad* const* filters, int count, const float* const* in,
                                       float* const* out, int n) {
    int k = 0;
#if defined(__SSE2__)
    auto anyOfMode = [](SaturatingBiquad* const* group, int size, int mode) {
        return std::any_of(group, group + size, [mode](const SaturatingBiquad* f) { return f->mode_ == mode; });
    };
    if (count == 4) {
        const bool series = anyOfMode(filters, 4, 24);
        series ? processPairs<true, 2>(filters, in, out, n) : processPairs<false, 2>(filters, in, out, n);
        return;
    }
    for (; k + 1 < count; k += 2) {
        const bool series = anyOfMode(filters + k, 2, 24);
        series ? processPairs<true, 1>(filters + k, in + k, out + k, n)
               : processPairs<false, 1>(filters + k, in + k, out + k, n);
    }
#endif
    for (; k < count; ++k)
        filters[k]->processAlone(in[k], out[k], n);
}

// With its state in locals, which the compiler keeps in registers.
void SaturatingBiquad::processAlone(const float* in, float* out, int n) {
    SaturatingBiquad filter = *this;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<float>(filter.process(in[i]));
    *this = filter;
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

// A section of each of two filters, in the two lanes.
struct SectionPair {
    // The section's step, the same operations in the same order.
    __m128d step(__m128d x) {
        const __m128d y = _mm_add_pd(_mm_mul_pd(b0, x), z1);
        const __m128d mixed =
            _mm_add_pd(_mm_mul_pd(_mm_set1_pd(0.03), previous), _mm_mul_pd(_mm_set1_pd(0.97), softClip(y)));
        const __m128d out = _mm_add_pd(_mm_mul_pd(mixed, wet), _mm_mul_pd(dry, y));
        previous = out;
        z1 = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(b1, x), z2), _mm_mul_pd(a1, out));
        z2 = _mm_sub_pd(_mm_mul_pd(b2, x), _mm_mul_pd(a2, out));
        return out;
    }

    __m128d b0, b1, b2, a1, a2, wet, dry, previous, z1, z2;
};

} // namespace

// Series: a 24 dB filter among them; the second section of a 12 dB filter
// beside it runs on a spare section and goes unheard. kPairs pairs step
// together, so that their sample-by-sample recursions overlap.
template <bool Series, int kPairs>
void SaturatingBiquad::processPairs(SaturatingBiquad* const* filters, const float* const* in, float* const* out,
                                    int n) {
    auto load = [](const Section& p, const Section& q) {
        return SectionPair{lanes(p.biquad.b0(), q.biquad.b0()),
                           lanes(p.biquad.b1(), q.biquad.b1()),
                           lanes(p.biquad.b2(), q.biquad.b2()),
                           lanes(p.biquad.a1(), q.biquad.a1()),
                           lanes(p.biquad.a2(), q.biquad.a2()),
                           lanes(p.wet, q.wet),
                           lanes(p.dry, q.dry),
                           lanes(p.previous, q.previous),
                           lanes(p.z1, q.z1),
                           lanes(p.z2, q.z2)};
    };
    auto store = [](const SectionPair& pair, Section& p, Section& q) {
        split(pair.previous, p.previous, q.previous);
        split(pair.z1, p.z1, q.z1);
        split(pair.z2, p.z2, q.z2);
    };
    // The two sections of each of two filters in the two lanes of one register.
    struct FilterPair {
        SectionPair first, second;
        __m128d single; // all bits in a lane whose filter has one section
        Section* secondA;
        Section* secondB;
    };
    Section spare[2 * kPairs];
    FilterPair pairs[kPairs];
    for (int p = 0; p < kPairs; ++p) {
        SaturatingBiquad& a = *filters[2 * p];
        SaturatingBiquad& b = *filters[2 * p + 1];
        FilterPair& pair = pairs[p];
        pair.secondA = Series && a.mode_ == 24 ? &a.sections_[1] : &spare[2 * p];
        pair.secondB = Series && b.mode_ == 24 ? &b.sections_[1] : &spare[2 * p + 1];
        pair.single = _mm_castsi128_pd(_mm_set_epi64x(b.mode_ == 24 ? 0 : -1, a.mode_ == 24 ? 0 : -1));
        pair.first = load(a.sections_[0], b.sections_[0]);
        pair.second = load(*pair.secondA, *pair.secondB);
    }
    for (int i = 0; i < n; ++i) {
#pragma GCC unroll 2
        for (int p = 0; p < kPairs; ++p) {
            FilterPair& pair = pairs[p];
            const float* inA = in[2 * p];
            const float* inB = in[2 * p + 1];
            const __m128d x = _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(inA + i), _mm_load_ss(inB + i)));
            __m128d y = pair.first.step(x);
            if constexpr (Series)
                y = _mm_or_pd(_mm_and_pd(pair.single, y), _mm_andnot_pd(pair.single, pair.second.step(y)));
            const __m128 result = _mm_cvtpd_ps(y);
            _mm_store_ss(out[2 * p] + i, result);
            _mm_store_ss(out[2 * p + 1] + i, _mm_shuffle_ps(result, result, 1));
        }
    }
    for (int p = 0; p < kPairs; ++p) {
        store(pairs[p].first, filters[2 * p]->sections_[0], filters[2 * p + 1]->sections_[0]);
        if constexpr (Series)
            store(pairs[p].second, *pairs[p].secondA, *pairs[p].secondB);
    }
}
#endif

} // namespace trommik2
