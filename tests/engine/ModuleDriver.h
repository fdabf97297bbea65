#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include <engine/TruncationScope.h>

namespace trommik2::test {

constexpr float kRate = 44100.0f;

// Base values by absolute index; reset() then makes them the smoothed values.
template <typename Module>
void configure(Module& module, std::initializer_list<std::pair<int, float>> values) {
    for (const auto& [index, value] : values)
        module.setValue(index, value, 0);
    module.reset();
}

// Renders envelope.size() samples in 64-sample blocks as the voice does, with a
// hit at the first sample when hit is set.
template <typename Module>
std::vector<float> render(Module& module, const std::vector<float>& envelope, bool hit = true, float weight = 1.0f) {
    const TruncationScope truncating; // as block processing renders voices
    std::vector<float> out(envelope.size());
    for (size_t start = 0; start < envelope.size(); start += 64) {
        int n = static_cast<int>(std::min<size_t>(64, envelope.size() - start));
        uint8_t triggers[64] = {};
        triggers[0] = hit && start == 0;
        module.smoothParameters();
        module.render(envelope.data() + start, triggers, weight, out.data() + start, n);
    }
    return out;
}

inline std::vector<float> constant(size_t n, float value) { return std::vector<float>(n, value); }

// The frequency of a periodic signal from its first and last rising zero
// crossings, located by linear interpolation.
inline double measuredFrequency(const std::vector<float>& x, double rate) {
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (size_t i = 1; i < x.size(); ++i) {
        if (x[i - 1] < 0.0f && x[i] >= 0.0f) {
            double t = static_cast<double>(i - 1) + x[i - 1] / (static_cast<double>(x[i - 1]) - x[i]);
            if (first < 0.0)
                first = t;
            last = t;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / (last - first);
}

inline double rms(const std::vector<float>& x, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

} // namespace trommik2::test
