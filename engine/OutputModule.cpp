#include "OutputModule.h"

#include <cmath>

#include "RunBlock.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

struct Pan {
    float left, right;
};

// Each stage's operations as the separate passes of a voice would do them, in
// one loop: the envelope's product, the pan gains, the meter's sum and the mix.
// A mono signal (left and right the same buffer) is read and shaped once.
template <bool kShaped, bool kMono, bool kAdding>
void panBlock(const float* __restrict inLeft, const float* __restrict inRight, const float* __restrict envelope,
              float* __restrict outLeft, float* __restrict outRight, float* __restrict meter, float* __restrict mixLeft,
              float* __restrict mixRight, Pan pan, int n) {
    for (int i = 0; i < n; ++i) {
        const float left = kShaped ? inLeft[i] * envelope[i] : inLeft[i];
        const float right = kMono ? left : kShaped ? inRight[i] * envelope[i] : inRight[i];
        outLeft[i] = left * pan.left;
        outRight[i] = right * pan.right;
        meter[i] = left + right;
        if constexpr (kAdding) {
            mixLeft[i] += outLeft[i];
            mixRight[i] += outRight[i];
        }
    }
}

template <bool kShaped, bool kMono, bool kAdding>
void run(const OutputModule::Signal& in, const OutputModule::Destination& out, Pan pan, int n) {
    dsp::runBlock(n, [&](int count) {
        panBlock<kShaped, kMono, kAdding>(in.left, in.right, in.envelope, out.left, out.right, out.meter, out.mixLeft,
                                          out.mixRight, pan, count);
    });
}

using Kernel = void (*)(const OutputModule::Signal&, const OutputModule::Destination&, Pan, int);

// By shaped, mono, adding.
constexpr Kernel kKernels[2][2][2] = {
    {{run<false, false, false>, run<false, false, true>}, {run<false, true, false>, run<false, true, true>}},
    {{run<true, false, false>, run<true, false, true>}, {run<true, true, false>, run<true, true, true>}}};

// panBlock<true, true, kAdding> for a mono signal that is a held mix: the
// same operations on each sample, four samples to a vector; the last few
// samples of a short block go through panBlock itself.
template <bool kAdding>
void heldBlock(const HeldMix held, const float* __restrict envelope, float* __restrict outLeft,
               float* __restrict outRight, float* __restrict meter, float* __restrict mixLeft,
               float* __restrict mixRight, Pan pan, int n) {
    const Float4 pattern = held.four();
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const Float4 x = pattern * load4(envelope + i);
        const Float4 left = x * pan.left, right = x * pan.right;
        store4(outLeft + i, left);
        store4(outRight + i, right);
        store4(meter + i, x + x);
        if constexpr (kAdding) {
            store4(mixLeft + i, load4(mixLeft + i) + left);
            store4(mixRight + i, load4(mixRight + i) + right);
        }
    }
    if (i == n)
        return;
    float tail[4];
    for (int k = i; k < n; ++k)
        tail[k - i] = held.at(k);
    panBlock<true, true, kAdding>(tail, tail, envelope + i, outLeft + i, outRight + i, meter + i,
                                  kAdding ? mixLeft + i : nullptr, kAdding ? mixRight + i : nullptr, pan, n - i);
}

} // namespace

OutputModule::OutputModule() : SoundModule("Output Module", OutLevelDB, 2) {
    setDefault(OutLevelDB, 0.0f);
    setDefault(OutPan, 0.0f);
}

OutputModule::Gains OutputModule::gains() {
    const float level = smoothed(OutLevelDB);
    if (!(level == lastLevel_)) {
        lastLevel_ = level;
        gain_ = std::pow(10.0f, 0.05f * level);
    }
    const float p = (smoothed(OutPan) + 1.0f) * 0.5f;
    return {gain_, gain_ * (1.0f - p), gain_ * p};
}

float OutputModule::process(const Signal& in, const Destination& out, int n) {
    const Gains g = gains();
    kKernels[in.envelope != nullptr][in.left == in.right][out.mixLeft != nullptr](in, out, Pan{g.left, g.right}, n);
    return g.level;
}

float OutputModule::process(const HeldMix& held, const float* envelope, const Destination& out, int n) {
    const Gains g = gains();
    const Pan pan = {g.left, g.right};
    auto kernel = out.mixLeft ? heldBlock<true> : heldBlock<false>;
    kernel(held, envelope, out.left, out.right, out.meter, out.mixLeft, out.mixRight, pan, n);
    return g.level;
}

} // namespace trommik2
