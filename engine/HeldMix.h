#pragma once

#include "Float4.h"

namespace trommik2 {

// A block of a voice's mix that holds one value plus the anti-denormal
// constant, whose sign alternates by the sample's index: one value at the
// even samples, another at the odd ones. What an idle sample-only voice mixes.
struct HeldMix {
    float even = 0.0f;
    float odd = 0.0f;

    // Samples i to i + 3 for an even i.
    Float4 four() const { return Float4{even, odd, even, odd}; }
    float at(int i) const { return (i & 1) ? odd : even; }
    void fill(float* out, int n) const {
        int i = 0;
        for (; i + 4 <= n; i += 4)
            store4(out + i, four());
        for (; i < n; ++i)
            out[i] = at(i);
    }
};

} // namespace trommik2
