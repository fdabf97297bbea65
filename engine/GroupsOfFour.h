#pragma once

namespace trommik2::dsp {

// Calls kernel(from, count) for the samples 0 .. n - 1: once for the whole
// groups of four, then once for each sample left (rare: control blocks are 64
// long but for a jump's first one). At -O2 the compiler vectorises only loops
// whose count is a known multiple of the vector width and whose pointers cannot
// overlap, so the kernel should run a plain loop over __restrict parameters of a
// function (the compiler loses __restrict through a lambda's captures). Each
// sample's operations stay as written: the result is the plain loop's, bit for bit.
template <typename Kernel>
inline void inGroupsOfFour(int n, Kernel kernel) {
    const int whole = n & ~3;
    kernel(0, whole);
    for (int i = whole; i < n; ++i)
        kernel(i, 1);
}

} // namespace trommik2::dsp
