#include "MasterSection.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/Dsp.h"

namespace trommik2 {

namespace {

// dsp::softClip over a block, four samples at a time where the processor has
// the vector instructions: the same operations in the same order, so the same bits.
void softClipBlock(float* x, int n) {
    int i = 0;
#if defined(__SSE2__)
    const __m128 three = _mm_set1_ps(3.0f), minusThree = _mm_set1_ps(-3.0f);
    const __m128 one = _mm_set1_ps(1.0f), minusOne = _mm_set1_ps(-1.0f);
    const __m128 nine = _mm_set1_ps(9.0f), twentySeven = _mm_set1_ps(27.0f);
    for (; i + 4 <= n; i += 4) {
        const __m128 y = _mm_loadu_ps(x + i);
        const __m128 numerator = _mm_mul_ps(y, _mm_add_ps(_mm_mul_ps(y, y), twentySeven));
        const __m128 denominator = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(nine, y), y), twentySeven);
        __m128 r = _mm_div_ps(numerator, denominator);
        const __m128 above = _mm_cmpgt_ps(y, three), below = _mm_cmplt_ps(y, minusThree);
        r = _mm_or_ps(_mm_and_ps(above, one), _mm_andnot_ps(above, r));
        r = _mm_or_ps(_mm_and_ps(below, minusOne), _mm_andnot_ps(below, r));
        _mm_storeu_ps(x + i, r);
    }
#endif
    for (; i < n; ++i)
        x[i] = dsp::softClip(x[i]);
}

} // namespace

void MasterSection::setSampleRate(float rate) {
    float fc = dsp::clip(35.0f, 0.1f, 0.499999f * rate);
    float g = 1.0f - fc / (rate * 0.5f) - 1e-19f;
    g *= g;
    a_ = 1.0f - g;
    b_ = -g;
}

// The high-pass's recursion first, both channels in two vector lanes, then the
// clipper over the block, where it need not wait for the recursion.
void MasterSection::process(float* left, float* right, int n, float volume) {
#if defined(__SSE2__)
    const __m128 a = _mm_set1_ps(a_), b = _mm_set1_ps(b_), gain = _mm_set1_ps(volume);
    __m128 state = _mm_setr_ps(state_[0], state_[1], 0.0f, 0.0f);
    for (int i = 0; i < n; ++i) {
        const __m128 x = _mm_mul_ps(_mm_unpacklo_ps(_mm_load_ss(left + i), _mm_load_ss(right + i)), gain);
        const __m128 y = _mm_sub_ps(_mm_mul_ps(a, x), _mm_mul_ps(b, state));
        state = y;
        const __m128 out = _mm_sub_ps(x, y);
        _mm_store_ss(left + i, out);
        _mm_store_ss(right + i, _mm_shuffle_ps(out, out, 1));
    }
    state_[0] = _mm_cvtss_f32(state);
    state_[1] = _mm_cvtss_f32(_mm_shuffle_ps(state, state, 1));
#else
    float* channels[2] = {left, right};
    for (int c = 0; c < 2; ++c) {
        float* mix = channels[c];
        for (int i = 0; i < n; ++i) {
            float x = mix[i] * volume;
            float y = a_ * x - b_ * state_[c];
            state_[c] = y;
            mix[i] = x - y;
        }
    }
#endif
    softClipBlock(left, n);
    softClipBlock(right, n);
}

} // namespace trommik2
