#pragma once

#include "Dsp.h"

namespace trommik2::dsp {

// Calls kernel(n), with n a constant when the block is a whole control block.
// At -O2 the compiler vectorises only loops whose count is a known multiple of
// the vector width and whose pointers cannot overlap: the kernel runs a plain
// loop over __restrict parameters of a function (__restrict does not survive a
// lambda's captures). Each sample's operations stay as written, so the result
// is the plain loop's, bit for bit.
template <typename Kernel>
inline void runBlock(int n, Kernel kernel) {
    if (n == kBlockSize)
        kernel(kBlockSize);
    else
        kernel(n);
}

} // namespace trommik2::dsp
