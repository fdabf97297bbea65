#pragma once

#include <cstdint>
#include <cstring>

namespace trommik2::dsp {

// The first sample from 'from' on (up to n) that a hit starts, or n. Hits are
// marked 1 in a block's trigger bytes. Lets a module run its sample loop from
// hit to hit with nothing but the signal in it.
inline int nextHit(const uint8_t* triggers, int from, int n) {
    const void* hit = from < n ? std::memchr(triggers + from, 1, static_cast<size_t>(n - from)) : nullptr;
    return hit ? static_cast<int>(static_cast<const uint8_t*>(hit) - triggers) : n;
}

} // namespace trommik2::dsp
