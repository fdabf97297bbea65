#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace trommik2 {

// While it lives, the processor treats denormal floats as zero, on input
// (DAZ) and on output (FTZ). Decaying recursive states (delay-line loops,
// filter memories, smoothers) otherwise spend a long time below 1e-38, where
// every operation on them costs many times the usual; their contribution to
// the sound there is far below anything audible. The caller's modes come back
// at the end. Without SSE control bits it does nothing.
class DenormalsOff {
  public:
#if defined(__x86_64__) || defined(__i386__)
    DenormalsOff() : saved_(_mm_getcsr()) { _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero); }
    ~DenormalsOff() { _mm_setcsr((_mm_getcsr() & ~kModes) | (saved_ & kModes)); }
#else
    DenormalsOff() = default;
#endif
    DenormalsOff(const DenormalsOff&) = delete;
    DenormalsOff& operator=(const DenormalsOff&) = delete;

  private:
#if defined(__x86_64__) || defined(__i386__)
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    static constexpr unsigned kModes = kFlushToZero | kDenormalsAreZero;
    unsigned saved_;
#endif
};

} // namespace trommik2
