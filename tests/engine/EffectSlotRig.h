#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include <engine/Dsp.h>
#include <engine/EffectsModule.h>
#include <engine/TruncationScope.h>
#include <engine/effects/EffectMapping.h>
#include <engine/effects/EffectRegistry.h>
#include <params/ParameterIndex.h>

namespace trommik2::test {

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

inline const char* effectName(int type) { return effectDefinition(type).description.longName; }

inline Stereo silence(int n) { return {std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)}; }

inline Stereo impulse(int n, float height = 1.0f, int at = 0) {
    Stereo s = silence(n);
    s.left[at] = s.right[at] = height;
    return s;
}

inline Stereo sine(int n, double hz, float amplitude, double rate = 44100.0) {
    Stereo s = silence(n);
    for (int i = 0; i < n; ++i)
        s.left[i] = s.right[i] = amplitude * static_cast<float>(std::sin(2.0 * 3.14159265358979 * hz * i / rate));
    return s;
}

inline Stereo noise(int n, uint32_t seed = 12345u) {
    Stereo s = silence(n);
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        s.left[i] = static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.0f;
        seed = seed * 1664525u + 1013904223u;
        s.right[i] = static_cast<float>(static_cast<int32_t>(seed)) / 2147483648.0f;
    }
    return s;
}

inline float peak(const std::vector<float>& x, int from = 0, int to = -1) {
    float p = 0.0f;
    for (int i = from; i < (to < 0 ? static_cast<int>(x.size()) : to); ++i)
        p = std::fmax(p, std::fabs(x[i]));
    return p;
}

inline double energy(const std::vector<float>& x, int from, int to) {
    double e = 0.0;
    for (int i = from; i < to; ++i)
        e += static_cast<double>(x[i]) * x[i];
    return e;
}

inline int argmax(const std::vector<float>& x, int from, int to) {
    int best = from;
    for (int i = from; i < to; ++i)
        if (std::fabs(x[i]) > std::fabs(x[best]))
            best = i;
    return best;
}

inline bool allFinite(const Stereo& s) {
    for (size_t i = 0; i < s.left.size(); ++i)
        if (!std::isfinite(s.left[i]) || !std::isfinite(s.right[i]))
            return false;
    return true;
}

// The effect slot driven as the voice drives it: values written to slot 0,
// smoothing once per 64-sample block, rendering with truncating rounding.
// Parameters change at once so that tests see exactly the values they set.
class EffectSlotRig {
  public:
    explicit EffectSlotRig(float rate = 44100.0f) {
        fx.setSampleRate(rate);
        for (int i = FXType; i <= FXActive; ++i)
            fx.setSmoothingTime(i, 0.0f);
    }

    void set(int index, float value) { fx.setValue(index, value, 0); }

    void select(int type, float p1, float p2, float p3, float p4) {
        set(FXType, static_cast<float>(type));
        set(FXParam1, p1);
        set(FXParam2, p2);
        set(FXParam3, p3);
        set(FXParam4, p4);
        set(FXActive, 1.0f);
    }

    Stereo run(const Stereo& in) {
        int n = static_cast<int>(in.left.size());
        Stereo out = silence(n);
        const TruncationScope truncating;
        for (int start = 0; start < n; start += dsp::kBlockSize) {
            int count = n - start < dsp::kBlockSize ? n - start : dsp::kBlockSize;
            fx.smoothParameters();
            fx.process(&in.left[start], &in.right[start], &out.left[start], &out.right[start], count);
        }
        return out;
    }

    EffectsModule fx;
};

} // namespace trommik2::test
