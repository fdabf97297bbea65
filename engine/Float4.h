#pragma once

#include <cstring>

#include "Dsp.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trommik2 {

// Four floats in one register (SSE on x86-64; the compiler splits them
// elsewhere). Their arithmetic is the scalar arithmetic in four lanes, so a
// loop written with them sounds the same to the bit as its scalar form.
using Float4 = float __attribute__((vector_size(16)));

inline Float4 load4(const float* p) {
    Float4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store4(float* p, Float4 v) { std::memcpy(p, &v, sizeof v); }

// Rows to columns: afterwards r[k] holds lane k of the four rows.
inline void transpose4(Float4* r) {
    const Float4 low01 = __builtin_shufflevector(r[0], r[1], 0, 4, 1, 5);
    const Float4 high01 = __builtin_shufflevector(r[0], r[1], 2, 6, 3, 7);
    const Float4 low23 = __builtin_shufflevector(r[2], r[3], 0, 4, 1, 5);
    const Float4 high23 = __builtin_shufflevector(r[2], r[3], 2, 6, 3, 7);
    r[0] = __builtin_shufflevector(low01, low23, 0, 1, 4, 5);
    r[1] = __builtin_shufflevector(low01, low23, 2, 3, 6, 7);
    r[2] = __builtin_shufflevector(high01, high23, 0, 1, 4, 5);
    r[3] = __builtin_shufflevector(high01, high23, 2, 3, 6, 7);
}

// What a comparison of two Float4 gives: all bits set in the lanes where it holds.
using Int4 = int __attribute__((vector_size(16)));

// Each lane rounded to an integer in the current rounding mode, as dsp::roundInt.
inline Int4 roundInt4(Float4 x) {
#if defined(__SSE2__)
    return reinterpret_cast<Int4>(_mm_cvtps_epi32(reinterpret_cast<__m128>(x)));
#else
    return Int4{dsp::roundInt(x[0]), dsp::roundInt(x[1]), dsp::roundInt(x[2]), dsp::roundInt(x[3])};
#endif
}

inline Float4 toFloat4(Int4 x) { return __builtin_convertvector(x, Float4); }

inline bool anyLane(Int4 mask) {
#if defined(__SSE2__)
    return _mm_movemask_epi8(reinterpret_cast<__m128i>(mask)) != 0;
#else
    return (mask[0] | mask[1] | mask[2] | mask[3]) != 0;
#endif
}

} // namespace trommik2
