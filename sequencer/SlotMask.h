#pragma once

#include <cstdint>

#include "engine/Relaxed.h"

namespace trommik2 {

// One bit per step slot of a track: slot i is bit i mod 32 of word i / 32.
// Relaxed atomic words, so the editor may flip bits while playback reads them.
class SlotMask {
  public:
    static constexpr int kSlotCount = 128;
    static constexpr int kWordCount = kSlotCount / 32;

    // Slots outside 0..127 are ignored (set) or read as clear (test).
    void set(int slot, bool on) {
        if (slot < 0 || slot >= kSlotCount)
            return;
        const uint32_t bit = 1u << (slot % 32);
        words_[slot / 32] = on ? words_[slot / 32] | bit : words_[slot / 32] & ~bit;
    }
    bool test(int slot) const { return slot >= 0 && slot < kSlotCount && (words_[slot / 32] >> (slot % 32) & 1u) != 0; }
    bool any() const { return (words_[0] | words_[1] | words_[2] | words_[3]) != 0; }
    void clear() { words_[0] = words_[1] = words_[2] = words_[3] = 0; }
    uint32_t word(int k) const { return k >= 0 && k < kWordCount ? words_[k].load() : 0; }

  private:
    Relaxed<uint32_t> words_[kWordCount];
};

} // namespace trommik2
