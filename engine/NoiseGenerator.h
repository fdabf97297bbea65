#pragma once

#include <cstdint>

namespace trommik2 {

// The engine's white-noise source: two 32-bit words stepped by xor and add.
// Reseeded at every hit, so identical settings give identical hits.
class NoiseGenerator {
  public:
    static constexpr uint32_t kSeedA = 0x67452301u;
    static constexpr uint32_t kSeedB = 0xEFCDAB89u;

    void reseed() {
        a_ = kSeedA;
        b_ = kSeedB;
        scale_ = 1.0f / 2147483648.0f;
    }

    // The next value in -1..1 (before gain), then the words advance.
    float next() {
        float value = static_cast<float>(static_cast<int32_t>(b_)) * scale_;
        uint32_t t = a_ ^ b_;
        b_ += t;
        a_ = t;
        return value;
    }

    uint32_t a() const { return a_; }
    uint32_t b() const { return b_; }

  private:
    uint32_t a_ = kSeedA;
    uint32_t b_ = kSeedB;
    float scale_ = 1.0f / 2147483648.0f;
};

} // namespace trommik2
