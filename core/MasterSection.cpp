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

// The recursion first, then the clipper over the block, where it need not wait for it.
void MasterSection::process(int c, float* mix, int n, float volume) {
    const float a = a_, b = b_;
    float state = state_[c];
    for (int i = 0; i < n; ++i) {
        float x = mix[i] * volume;
        float y = a * x - b * state;
        state = y;
        mix[i] = x - y;
    }
    state_[c] = state;
    softClipBlock(mix, n);
}

} // namespace trommik2
