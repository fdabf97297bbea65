#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <engine/FilterModule.h>
#include <params/EffectNames.h>
#include <params/ValueDisplay.h>

#include "EffectSlotRig.h"

using namespace trommik2;
using namespace trommik2::test;

// Values that a label names by a step sound as that step, although rendering
// truncates its float-to-integer conversions.

namespace {

class StepLabels : public ::testing::Test {
  protected:
    std::string label(int index, double value) const {
        char text[64];
        display.format(index, value, slot, text, sizeof text);
        return text;
    }

    ParameterTable table;
    ValueDisplay display{table};
    EffectSlotState slot;
};

// Time knob positions: every 1/64 and both sides of each step boundary.
std::vector<float> timePositions() {
    std::vector<float> xs;
    for (int i = 0; i <= 64; ++i)
        xs.push_back(static_cast<float>(i) / 64.0f);
    for (int k = 0; k < 12; ++k) {
        float edge = 1.0f - (static_cast<float>(k) + 0.5f) / 12.0f;
        xs.insert(xs.end(), {edge, std::nextafter(edge, 0.0f), std::nextafter(edge, 1.0f)});
    }
    return xs;
}

int stepNamed(const std::string& name) {
    for (int k = 0; k < fx::kSyncStepCount; ++k)
        if (name == fx::syncStepName(k))
            return k;
    return -1;
}

// Gain of a 0.5-amplitude sine through the voice filter at FilterType t, 1 kHz cutoff.
float filterGain(float type, float hz) {
    FilterModule filter;
    filter.setSampleRate(44100.0f);
    filter.setValue(FilterType, type, 0);
    filter.setValue(FilterFreq, 1000.0f, 0);
    filter.setValue(FilterDriveDB, 0.0f, 0);
    filter.reset();
    Stereo in = sine(64 * 100, hz, 0.5f);
    std::vector<float> out(in.left.size());
    float envelope[64] = {};
    uint8_t triggers[64] = {};
    {
        const TruncationScope truncating;
        for (size_t b = 0; b + 64 <= in.left.size(); b += 64) {
            filter.smoothParameters();
            filter.render(envelope, triggers, &in.left[b], &out[b], 64);
        }
    }
    return peak(out, 3200) / peak(in.left, 3200);
}

} // namespace

TEST_F(StepLabels, SynchronisedEchoArrivesWhenTheLabelSays) {
    constexpr float kTempo = 441.0f; // a beat of 6000 samples: every step a whole number
    constexpr int kLength = 8 * 6000 + 300;
    for (float x : timePositions()) {
        EffectSlotRig rig;
        rig.fx.setTempo(kTempo);
        rig.select(kMonoDelaySync, x, 0.0f, 0.0f, 1.0f);
        Stereo out = rig.run(impulse(kLength));
        // The read-out shows the value the slot used, as the plug-in's display does.
        slot.effect = &effectDefinition(kMonoDelaySync).description;
        slot.stored[0] = rig.fx.storedValue(0);
        const std::string name = label(FXParam1, 0.0);
        const int step = stepNamed(name);
        ASSERT_GE(step, 0) << name;
        const int expected = static_cast<int>(fx::syncStepBeats(step) * 6000.0);
        EXPECT_NEAR(argmax(out.left, 1, kLength), expected, 1) << "Time " << x << " labelled " << name;
    }
}

TEST_F(StepLabels, FilterPlaysTheTypeItsLabelNames) {
    for (float type : {0.4f, 0.5f, 0.6f, 1.0f, 1.4f, 1.5f, 1.6f, 2.5f, 2.51f, 2.9f, 3.0f}) {
        const std::string name = label(FilterType, type);
        const float low = filterGain(type, 100.0f);
        const float centre = filterGain(type, 1000.0f);
        const float high = filterGain(type, 8000.0f);
        if (name == "Filter Off") {
            EXPECT_FLOAT_EQ(low, 1.0f) << type;
            EXPECT_FLOAT_EQ(high, 1.0f) << type;
        } else if (name == "Lowpass") {
            EXPECT_GT(low, 0.8f) << type;
            EXPECT_LT(high, 0.1f) << type;
        } else if (name == "Bandpass") {
            EXPECT_GT(centre, 3.0f * std::fmax(low, high)) << type;
        } else {
            ASSERT_EQ(name, "Highpass") << type;
            EXPECT_LT(low, 0.1f) << type;
            EXPECT_GT(high, 0.8f) << type;
        }
    }
}
