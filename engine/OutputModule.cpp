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

// panBlock<true, true, kAdding> for a mono signal that is a held mix, four
// samples to a vector, without the meter's buffer: the sum of the shaped
// signal's magnitudes in its place (its lanes' sums added up), from which a
// bound on the meter's measure follows. The track's outputs only when kept.
template <bool kAdding, bool kKept>
float heldBlock(const HeldMix held, const float* __restrict envelope, float* __restrict outLeft,
                float* __restrict outRight, float* __restrict mixLeft, float* __restrict mixRight, Pan pan, int n) {
    const Float4 pattern = held.four();
    const Int4 magnitude = {0x7fffffff, 0x7fffffff, 0x7fffffff, 0x7fffffff};
    Float4 sum = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int i = 0; i < n; i += 4) {
        const Float4 x = pattern * load4(envelope + i);
        const Float4 left = x * pan.left, right = x * pan.right;
        sum += reinterpret_cast<Float4>(reinterpret_cast<Int4>(x) & magnitude);
        if constexpr (kKept) {
            store4(outLeft + i, left);
            store4(outRight + i, right);
        }
        if constexpr (kAdding) {
            store4(mixLeft + i, load4(mixLeft + i) + left);
            store4(mixRight + i, load4(mixRight + i) + right);
        }
    }
    return (sum[0] + sum[1]) + (sum[2] + sum[3]);
}

} // namespace

OutputModule::OutputModule() : SoundModule("Output Module", OutLevelDB, 2) {
    setDefault(OutLevelDB, 0.0f);
    setDefault(OutPan, 0.0f);
}

OutputModule::Gains OutputModule::gains() {
    if (derivedAt_ == valuesVersion())
        return gains_;
    derivedAt_ = valuesVersion();
    const float level = smoothed(OutLevelDB);
    if (!(level == lastLevel_)) {
        lastLevel_ = level;
        gain_ = std::pow(10.0f, 0.05f * level);
    }
    const float p = (smoothed(OutPan) + 1.0f) * 0.5f;
    gains_ = {gain_, gain_ * (1.0f - p), gain_ * p};
    return gains_;
}

float OutputModule::process(const Signal& in, const Destination& out, int n) {
    const Gains g = gains();
    kKernels[in.envelope != nullptr][in.left == in.right][out.mixLeft != nullptr](in, out, Pan{g.left, g.right}, n);
    return g.level;
}

float OutputModule::process(const HeldMix& held, const float* envelope, const Destination& out, int n,
                            float& magnitudes) {
    const Gains g = gains();
    const Pan pan = {g.left, g.right};
    using Kernel = float (*)(HeldMix, const float*, float*, float*, float*, float*, Pan, int);
    constexpr Kernel kernels[2][2] = {{heldBlock<false, false>, heldBlock<false, true>},
                                      {heldBlock<true, false>, heldBlock<true, true>}};
    magnitudes = kernels[out.mixLeft != nullptr][out.left != nullptr](held, envelope, out.left, out.right, out.mixLeft,
                                                                      out.mixRight, pan, n);
    return g.level;
}

} // namespace trommik2
