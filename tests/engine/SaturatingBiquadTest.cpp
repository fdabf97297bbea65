#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include <engine/SaturatingBiquad.h>

using namespace trommik2;

namespace {

struct Design {
    int mode;
    int type;
    double cutoff;
    double resonance;
    double wet;
};

// Loud enough that the saturation's limits at +-3 take part.
float input(int filter, int i) { return 6.0f * std::sin(0.05f * (filter + 1) * i) + 0.5f * std::cos(0.31f * i); }

SaturatingBiquad make(const Design& s) {
    SaturatingBiquad filter;
    filter.setSampleRate(48000.0);
    filter.setMode(s.mode);
    filter.setType(s.type);
    filter.setSaturationMix(s.wet, 1.0 - s.wet);
    filter.design(s.cutoff, s.resonance);
    return filter;
}

} // namespace

// Side by side, each filter gives exactly the bits of its own process(): alone,
// in pairs of 12 and 12, 12 and 24, 24 and 24 dB, in groups of one to four
// (four: two pairs in one loop, with and without a 24 dB filter among them).
TEST(SaturatingBiquad, ProcessingTogetherGivesEachFiltersOwnBits) {
    const std::vector<std::vector<Design>> groups = {
        {{12, Biquad::kLowPassQ, 800.0, 0.9, 0.001}},
        {{24, Biquad::kHighPassQ, 300.0, 0.5, 0.6}},
        {{12, Biquad::kBandPassQ, 2000.0, 0.95, 0.3}, {24, Biquad::kLowPassQ, 500.0, 0.99, 0.8}},
        {{24, Biquad::kLowPassQ, 1500.0, 0.7, 0.5},
         {12, Biquad::kHighPassQ, 90.0, 0.2, 0.001},
         {24, Biquad::kBandPassQ, 4000.0, 0.9, 1.0}},
        {{12, Biquad::kLowPassQ, 6000.0, 0.25, 0.001},
         {12, Biquad::kBandPassQ, 700.0, 0.8, 0.2},
         {24, Biquad::kLowPassQ, 200.0, 0.999, 0.9},
         {24, Biquad::kHighPassQ, 12000.0, 0.6, 0.4}},
        {{12, Biquad::kHighPassQ, 150.0, 0.4, 0.7},
         {12, Biquad::kLowPassQ, 3000.0, 0.97, 0.001},
         {12, Biquad::kBandPassQ, 450.0, 0.6, 0.5},
         {12, Biquad::kLowPassQ, 9000.0, 0.1, 1.0}},
    };
    for (const std::vector<Design>& group : groups) {
        const int count = static_cast<int>(group.size());
        std::vector<SaturatingBiquad> alone, together;
        for (const Design& s : group) {
            alone.push_back(make(s));
            together.push_back(make(s));
        }
        std::vector<SaturatingBiquad*> pointers;
        for (SaturatingBiquad& f : together)
            pointers.push_back(&f);
        // Blocks of several lengths, the state carried from one to the next.
        int start = 0;
        for (int n : {64, 17, 64, 1, 63}) {
            float in[4][64], out[4][64];
            const float* inputs[4] = {in[0], in[1], in[2], in[3]};
            float* outputs[4] = {out[0], out[1], out[2], out[3]};
            for (int k = 0; k < count; ++k)
                for (int i = 0; i < n; ++i)
                    in[k][i] = input(k, start + i);
            SaturatingBiquad::processTogether(pointers.data(), count, inputs, outputs, n);
            for (int k = 0; k < count; ++k) {
                for (int i = 0; i < n; ++i) {
                    const float expected = static_cast<float>(alone[static_cast<size_t>(k)].process(in[k][i]));
                    ASSERT_EQ(std::memcmp(&expected, &out[k][i], sizeof expected), 0)
                        << "group of " << count << ", filter " << k << ", sample " << start + i << ": " << expected
                        << " against " << out[k][i];
                }
            }
            start += n;
        }
    }
}
