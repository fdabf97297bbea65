#pragma once

#include <cfenv>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace trommik2 {

// Float arithmetic and conversions truncate while it lives (block processing
// renders voices so); the rounding that was there comes back after. On
// x86-64 the float code uses only the vector unit, whose control register is
// all that needs setting: a fraction of what fesetround costs, which also sets
// the x87 unit's. Audio thread.
class TruncationScope {
  public:
#if defined(__SSE2__)
    TruncationScope() : saved_(_mm_getcsr()) { _mm_setcsr((saved_ & ~_MM_ROUND_MASK) | _MM_ROUND_TOWARD_ZERO); }
    ~TruncationScope() { _mm_setcsr(saved_); }
#else
    TruncationScope() : saved_(static_cast<unsigned>(std::fegetround())) { std::fesetround(FE_TOWARDZERO); }
    ~TruncationScope() { std::fesetround(static_cast<int>(saved_)); }
#endif
    TruncationScope(const TruncationScope&) = delete;
    TruncationScope& operator=(const TruncationScope&) = delete;

  private:
    unsigned saved_;
};

} // namespace trommik2
