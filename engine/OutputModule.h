#pragma once

#include <cstdint>
#include <limits>

#include "HeldMix.h"
#include "SoundModule.h"

namespace trommik2 {

// The last step of a voice: level and linear pan. Parameters 57 and 58.
class OutputModule : public SoundModule {
  public:
    // A voice's signal before the level: left and right, each times envelope
    // when that is given. A voice without an effect hands over its mono signal
    // and its envelope, so that their product needs no pass of its own.
    struct Signal {
        const float* left;
        const float* right;
        const float* envelope;
    };
    // The track's outputs, the meter's buffer (left + right before the gain),
    // and a mix the outputs are added into (none when mixLeft is null). All
    // distinct from each other and from the signal's buffers.
    struct Destination {
        float* left;
        float* right;
        float* meter;
        float* mixLeft;
        float* mixRight;
    };

    OutputModule();

    // Applies level and pan to n samples of in. Returns the linear level. Audio thread.
    float process(const Signal& in, const Destination& out, int n);
    // The same for a voice without an effect whose mix is held, for n a
    // multiple of 4: to the bit what process gives for a mono signal holding
    // those values, shaped by envelope, but the meter's buffer is not written
    // (out.meter is not used) and the outputs only when out.left is given.
    // magnitudes: the sum of the shaped signal's magnitudes, in some order.
    float process(const HeldMix& held, const float* envelope, const Destination& out, int n, float& magnitudes);

  private:
    struct Gains {
        float level, left, right;
    };
    // This block's level and its pan's share of it on each side.
    Gains gains();

    // The linear gain of the last level, computed again only when the level moves.
    float lastLevel_ = std::numeric_limits<float>::quiet_NaN();
    float gain_ = 1.0f;
    // This block's gains, worked out once per values version.
    Gains gains_ = {};
    uint64_t derivedAt_ = 0;
};

} // namespace trommik2
