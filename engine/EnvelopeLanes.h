#pragma once

#include <cstdint>

#include "AmpEnvelopeModule.h"

namespace trommik2 {

// The amplitude envelopes of several voices for one control block. Each one's
// decay (or attack, or fade) is a recursion of its own, one sample after the
// other; run alone, its latency bounds the block. Here the steady stretches of
// four envelopes share vector lanes and the lane groups run interleaved, with
// the scalar arithmetic in every lane, so each envelope gets to the bit what
// AmpEnvelopeModule::render gives it. Audio thread.
class EnvelopeLanes {
  public:
    static constexpr int kMostEnvelopes = 16;

    // Renders count <= kMostEnvelopes envelopes for n <= 64 samples into outs, note starts into triggers.
    static void render(AmpEnvelopeModule* const* envelopes, float* const* outs, uint8_t* const* triggers, int count,
                       int n);
};

} // namespace trommik2
