#pragma once

#include <cmath>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// Small numeric helpers shared by every module of the sound engine.
namespace trommik2::dsp {

// Samples per control block: parameters and coefficients move once per block.
constexpr int kBlockSize = 64;

// Added with alternating sign where signals are mixed, so that recursive
// filters never run on denormals.
constexpr float kAntiDenormal = 1e-10f;

// The engine's clip idiom: 0.5 (|x - lo| + lo + hi - |x - hi|).
inline float clip(float x, float lo, float hi) { return 0.5f * (std::fabs(x - lo) + lo + hi - std::fabs(x - hi)); }
inline double clip(double x, double lo, double hi) { return 0.5 * (std::fabs(x - lo) + lo + hi - std::fabs(x - hi)); }

// The envelope measure of a control block: m' = 1 - (m + sum of the envelope) / 64.
// A shorter block counts its envelope as a whole block's would, so the recursion
// in m stays as gentle as with whole blocks instead of swinging from one short
// block to the next (a swing that drives the swept filters unstable).
inline float envelopeMeasure(float m, float envelopeSum, int n) {
    const float whole = static_cast<float>(kBlockSize);
    return 1.0f - (m + envelopeSum * (whole / static_cast<float>(n))) / whole;
}

// The shape curve s(x, k) = x / (x + (k - 1)(1 - x)): k = 2 is the identity, larger k
// bends below the diagonal, k between 1 and 2 above it.
inline float shapeCurve(float x, float k) { return x / (x + (k - 1.0f) * (1.0f - x)); }

// Rounds to the nearest integer in the current rounding mode, which block
// processing sets to truncation while voices render. On x86-64 this is the one
// instruction that lrint is made of there, without the library call.
#if defined(__x86_64__)
inline int32_t roundInt(float x) { return static_cast<int32_t>(_mm_cvtss_si64(_mm_set_ss(x))); }
inline int32_t roundInt(double x) { return static_cast<int32_t>(_mm_cvtsd_si64(_mm_set_sd(x))); }
#else
inline int32_t roundInt(float x) { return static_cast<int32_t>(std::lrintf(x)); }
inline int32_t roundInt(double x) { return static_cast<int32_t>(std::lrint(x)); }
#endif

} // namespace trommik2::dsp

namespace trommik2::dsp {

// The engine's soft saturation: y (y^2 + 27) / (9 y^2 + 27), limited to +-1 beyond +-3.
inline double softClip(double y) {
    if (y > 3.0)
        return 1.0;
    if (y < -3.0)
        return -1.0;
    return y * (y * y + 27.0) / (9.0 * y * y + 27.0);
}
inline float softClip(float y) {
    if (y > 3.0f)
        return 1.0f;
    if (y < -3.0f)
        return -1.0f;
    return y * (y * y + 27.0f) / (9.0f * y * y + 27.0f);
}

} // namespace trommik2::dsp
