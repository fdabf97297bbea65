#include "PhaseDistortionOscillator.h"

#include <array>
#include <cmath>

#include "Dsp.h"

namespace trommik2 {

namespace {

constexpr int kMask = PhaseDistortionOscillator::kTableSize - 1;
constexpr float kHalfSize = PhaseDistortionOscillator::kTableSize / 2;
// One unit short of the table: the wrap skips the table's last entry.
constexpr float kPeriod = 1023.0f;
constexpr double kTwoPi = 6.28318530717958647692;

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

PhaseDistortionOscillator::PhaseDistortionOscillator() : table_(sineTable()) {}

void PhaseDistortionOscillator::setDistortion(float amount) {
    float pd = dsp::clip(amount, 0.0f, 1.0f) * 0.47f + 0.5f;
    shape_ = 1.0f / pd;
}

float PhaseDistortionOscillator::next(float modulation) {
    phase_ += baseIncrement_ + static_cast<float>(kTableSize) * modulation / static_cast<float>(kTwoPi);
    if (phase_ > kPeriod)
        phase_ -= kPeriod;
    else if (phase_ < 0.0f)
        phase_ += kPeriod;
    float x = phase_ / kHalfSize - 1.0f;
    float position = (std::copysign(dsp::shapeCurve(std::fabs(x), shape_), x) + 1.0f) * kHalfSize;
    int index = dsp::roundInt(position);
    float t = position - static_cast<float>(index);
    // Masking wraps a position of 1024 to entry 0 (the same value as one past the
    // end) and keeps every read inside the table whatever the phase.
    float a = table_[index & kMask];
    float b = table_[(index + 1) & kMask];
    return a + t * (b - a);
}

} // namespace trommik2
