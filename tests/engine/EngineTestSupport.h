#pragma once

#include <cfenv>
#include <cmath>
#include <vector>

// Mirrors block processing: conversions inside a rendering voice truncate.
class TruncatingRounding {
  public:
    TruncatingRounding() { std::fesetround(FE_TOWARDZERO); }
    ~TruncatingRounding() { std::fesetround(FE_TONEAREST); }
};

inline double peakOf(const std::vector<float>& x, size_t from = 0, size_t to = SIZE_MAX) {
    double peak = 0.0;
    for (size_t i = from; i < x.size() && i < to; ++i)
        peak = std::fmax(peak, std::fabs(x[i]));
    return peak;
}

inline bool allFinite(const std::vector<float>& x) {
    for (float v : x)
        if (!std::isfinite(v))
            return false;
    return true;
}
