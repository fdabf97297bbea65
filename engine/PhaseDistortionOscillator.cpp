#include "PhaseDistortionOscillator.h"

#include <array>
#include <cmath>

#include "Dsp.h"
#include "RunBlock.h"

namespace trommik2 {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
constexpr float kTwoPiFloat = 6.28318530717958647692f; // the modulation's scale

const float* sineTable() {
    static const std::array<float, PhaseDistortionOscillator::kTableSize> table = [] {
        std::array<float, PhaseDistortionOscillator::kTableSize> t{};
        for (int k = 0; k < PhaseDistortionOscillator::kTableSize; ++k)
            t[static_cast<size_t>(k)] =
                static_cast<float>(std::sin(kTwoPi * k / PhaseDistortionOscillator::kTableSize));
        return t;
    }();
    return table.data();
}

} // namespace

// The phase's steps: the frequency plus the modulation in table units.
void stepBlock(const float* __restrict modulation, float* __restrict steps, float base, int n) {
    constexpr float kUnitsPerTurn = static_cast<float>(PhaseDistortionOscillator::kTableSize);
    for (int i = 0; i < n; ++i)
        steps[i] = base + kUnitsPerTurn * modulation[i] / kTwoPiFloat;
}

// Phases to table positions, bent by the shape curve around the table's middle.
void bendBlock(float* __restrict positions, float shape, float halfSize, int n) {
    for (int i = 0; i < n; ++i) {
        float x = positions[i] / halfSize - 1.0f;
        positions[i] = (std::copysign(dsp::shapeCurve(std::fabs(x), shape), x) + 1.0f) * halfSize;
    }
}

PhaseDistortionOscillator::PhaseDistortionOscillator() : table_(sineTable()) {}

void PhaseDistortionOscillator::render(const float* modulation, const float* gain, float* out, int n) {
    float positions[dsp::kBlockSize];
    dsp::runBlock(n, [&](int length) { stepBlock(modulation, positions, baseIncrement_, length); });
    float phase = phase_;
    for (int i = 0; i < n; ++i) {
        phase += positions[i];
        if (phase > kPeriod)
            phase -= kPeriod;
        else if (phase < 0.0f)
            phase += kPeriod;
        positions[i] = phase;
    }
    phase_ = phase;
    dsp::runBlock(n, [&](int length) { bendBlock(positions, shape_, kHalfSize, length); });
    const float* table = table_;
    for (int i = 0; i < n; ++i) {
        int index = dsp::roundInt(positions[i]);
        float t = positions[i] - static_cast<float>(index);
        // Masking wraps a position of 1024 to entry 0 (the same value as one past the
        // end) and keeps every read inside the table whatever the phase.
        float a = table[index & kMask];
        float b = table[(index + 1) & kMask];
        out[i] = (a + t * (b - a)) * gain[i];
    }
}

void PhaseDistortionOscillator::setDistortion(float amount) {
    float pd = dsp::clip(amount, 0.0f, 1.0f) * 0.47f + 0.5f;
    shape_ = 1.0f / pd;
}

} // namespace trommik2
