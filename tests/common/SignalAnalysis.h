#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

// Measurements on rendered audio shared by the test suites.

inline double peak(const std::vector<float>& x, size_t from = 0, size_t to = static_cast<size_t>(-1)) {
    double p = 0.0;
    for (size_t i = from; i < to && i < x.size(); ++i)
        p = std::fmax(p, std::fabs(x[i]));
    return p;
}

inline bool allFinite(const std::vector<float>& x) {
    for (float v : x)
        if (!std::isfinite(v))
            return false;
    return true;
}

// Sample indices where a hit starts: the signal passes threshold after a
// stretch that stayed below a quarter of it (allowing a short rise).
inline std::vector<size_t> onsets(const std::vector<float>& x, double threshold = 0.01) {
    std::vector<size_t> found;
    const size_t quiet = 400;
    const size_t rise = 16;
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::fabs(x[i]) < threshold)
            continue;
        size_t from = i > quiet ? i - quiet : 0;
        size_t to = i > rise ? i - rise : 0;
        bool quietBefore = peak(x, from, to) < threshold / 4.0;
        if (quietBefore && (found.empty() || i > found.back() + quiet))
            found.push_back(i);
    }
    return found;
}
