#include "PhaseDistortionOscillator.h"

#include <array>
#include <cmath>

#include "Dsp.h"

namespace trommik2 {

namespace {

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

} // namespace trommik2
