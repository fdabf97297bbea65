#pragma once

#include <cstring>

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

} // namespace trommik2
