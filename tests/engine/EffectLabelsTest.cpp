#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <params/ValueDisplay.h>

#include "EffectSlotRig.h"

using namespace trommik2;
using namespace trommik2::test;

// Every effect knob's read-out names the value its effect runs on.

namespace {

constexpr double kRate = 44100.0;

std::string knobText(int type, int p, const float* stored, double rate = kRate) {
    static const ParameterTable table;
    static const ValueDisplay display(table);
    EffectSlotState slot;
    slot.effect = &effectDefinition(type).description;
    std::copy_n(stored, 4, slot.stored);
    slot.sampleRate = rate;
    char text[64];
    display.format(FXParam1 + p, 0.0, slot, text, sizeof text);
    return text;
}

// Knob positions: every 1/64, and both sides of the places where a knob's
// value jumps (sync steps, filter types, bit depths).
std::vector<float> positions() {
    std::vector<float> edges = {0.33f, 0.66f};
    for (int k = 0; k < 12; ++k)
        edges.push_back(1.0f - (static_cast<float>(k) + 0.5f) / 12.0f);
    for (int bits = 2; bits <= 16; ++bits)
        edges.push_back(1.0f - std::sqrt(static_cast<float>(bits - 1) / 15.0f));
    std::vector<float> xs;
    for (int i = 0; i <= 64; ++i)
        xs.push_back(static_cast<float>(i) / 64.0f);
    for (float edge : edges)
        xs.insert(xs.end(), {edge, std::nextafter(edge, 0.0f), std::nextafter(edge, 1.0f)});
    return xs;
}

// A read-out's number and unit, the number scaled to the knob's own unit
// (fractions, milliseconds, hertz) and how far the printed digits may be off.
struct Reading {
    double value = 0.0;
    double tolerance = 0.0;
    std::string unit;
};

Reading read(const std::string& text) {
    const bool ratio = text.rfind("1 : ", 0) == 0;
    const char* start = text.c_str() + (ratio ? 4 : 0);
    char* end = nullptr;
    Reading r;
    r.value = std::strtod(start, &end);
    const std::string number(start, static_cast<const char*>(end));
    const size_t point = number.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(number.size() - point - 1);
    r.tolerance = 0.5 * std::pow(10.0, -decimals) + 1e-9;
    r.unit = ratio ? "ratio" : std::string(end);
    double scale = 1.0;
    if (r.unit == "%" || r.unit == "% dual" || r.unit == "% ping")
        scale = 0.01;
    else if (r.unit == "s" || r.unit == "k" || r.unit == "kHz")
        scale = 1000.0;
    r.value *= scale;
    r.tolerance *= scale;
    return r;
}

// What the read-out should say of the value the effect ran on, for the knobs
// whose read-out is not simply that value in its unit.
double shownQuantity(int type, int p, double value) {
    if (type == kLoFi && p == 0)
        return value * kRate; // the kept fraction shown as the rate it keeps
    if ((type == kStereoDelaySync || type == kStereoDelayMs) && p == 2)
        return value >= 0.5 ? (value - 0.5) * 2.0 : (1.0 - 2.0 * value); // dual or ping-pong feedback
    return value;
}

const char* const kFilterTypes[4] = {"", "Lowpass", "Bandpass", "Highpass"};

bool isSyncTime(int type, int p) {
    return (type == kMonoDelaySync && p == 0) || (type == kStereoDelaySync && (p == 0 || p == 1));
}

std::string syncNameOfBeats(double beats) {
    for (int k = 0; k < fx::kSyncStepCount; ++k)
        if (fx::syncStepBeats(k) == beats)
            return fx::syncStepName(k);
    return "no step of " + std::to_string(beats) + " beats";
}

} // namespace

class EffectLabels : public ::testing::TestWithParam<int> {};

TEST_P(EffectLabels, EveryKnobShowsTheValueItsEffectUses) {
    const int type = GetParam();
    EffectSlotRig rig(static_cast<float>(kRate));
    rig.select(type, 0.0f, 0.0f, 0.0f, 0.0f);
    for (float x : positions()) {
        for (int p = 0; p < 4; ++p)
            rig.set(FXParam1 + p, x);
        rig.fx.reset(); // the knobs at exactly these positions, not on their way there
        rig.run(silence(64));
        float stored[4];
        for (int p = 0; p < 4; ++p)
            stored[p] = rig.fx.storedValue(p);
        for (int p = 0; p < 4; ++p) {
            const std::string text = knobText(type, p, stored);
            const double used = rig.fx.mappedValue(p);
            SCOPED_TRACE(std::string(effectName(type)) + " knob " + std::to_string(p) + " at " +
                         std::to_string(stored[p]) + " reads \"" + text + "\"");
            if (isSyncTime(type, p)) {
                EXPECT_EQ(text, syncNameOfBeats(used));
            } else if ((type == kAnalogueFilter12 || type == kAnalogueFilter24) && p == 2) {
                EXPECT_EQ(text, kFilterTypes[static_cast<int>(used)]);
            } else {
                Reading r = read(text);
                EXPECT_NEAR(r.value, shownQuantity(type, p, used), r.tolerance);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllTypes, EffectLabels, ::testing::Range(0, kEffectTypeCount),
                         [](const ::testing::TestParamInfo<int>& info) { return "Type" + std::to_string(info.param); });

// The read-outs' own texts: the formats, and labels that once named other
// values than their effects used (the filters' cutoff, the compressor's
// times and ratio, the chorus's time, the phaser's rate).
TEST(EffectLabelTexts, ReadAsTheirFormatsSay) {
    struct Case {
        int type;
        int p;
        float x;
        const char* text;
    };
    const Case cases[] = {
        {kMonoDelaySync, 0, 0.5f, "1/8 Dot."},
        {kMonoDelaySync, 0, 1.0f, "2 Bars"},
        {kMonoDelaySync, 0, 0.0f, "1/32"},
        {kMonoDelaySync, 0, 0.875f, "1 Bar"},
        {kMonoDelaySync, 0, 0.87f, "1/2 Bar"},
        {kStereoDelaySync, 1, 0.5f, "1/8 Dot."},
        {kMonoDelayMs, 0, 0.0f, "0.1ms"},
        {kMonoDelayMs, 0, 0.5f, "80ms"},
        {kStereoDelayMs, 1, 1.0f, "2.00s"},
        {kMonoDelayMs, 1, 0.42f, "42%"},
        {kMonoDelaySync, 2, 0.0f, "16.0k"},
        {kMonoDelayMs, 2, 0.8f, "1.60k"},
        {kStereoDelayMs, 2, 0.75f, "50% dual"},
        {kStereoDelaySync, 2, 0.0f, "100% ping"},
        {kStereoDelaySync, 2, 0.5f, "0% dual"},
        {kStereoDelaySync, 3, 0.3f, "30%"},
        {kChorus, 0, 0.0f, "9.45ms"},
        {kChorus, 0, 1.0f, "31.5ms"},
        {kChorus, 1, 0.0f, "0.20Hz"},
        {kChorus, 1, 1.0f, "10.0Hz"},
        {kChorus, 2, 0.6f, "60%"},
        {kFlanger, 0, 0.6f, "7.26Hz"},
        {kPhaser, 0, 1.0f, "10.0Hz"},
        {kPhaser, 0, 0.5f, "2.57Hz"},
        {kPhaser, 1, 0.25f, "25%"},
        {kRoomReverb, 0, 0.6f, "60%"},
        {kHallReverb, 1, 0.6f, "3.40k"},
        {kRoomReverb, 3, 0.12f, "12%"},
        {kLoFi, 0, 0.0f, "44.1k"},
        {kLoFi, 0, 1.0f, "0.44k"},
        {kLoFi, 1, 1.0f, "1 Bit"},
        {kLoFi, 1, 0.5f, "4 Bits"},
        {kLoFi, 1, 0.0f, "16 Bits"},
        {kLoFi, 2, 0.5f, "5.75k"},
        {kDistortion, 0, 0.35f, "35%"},
        {kDistortion, 1, 1.0f, "100%"},
        {kAnalogueFilter12, 0, 0.5f, "1.3kHz"},
        {kAnalogueFilter24, 0, 0.0f, "10Hz"},
        {kAnalogueFilter12, 1, 0.5f, "25%"},
        {kAnalogueFilter12, 2, 0.33f, "Lowpass"},
        {kAnalogueFilter12, 2, 0.5f, "Bandpass"},
        {kAnalogueFilter24, 2, 0.67f, "Highpass"},
        {kAnalogueFilter24, 3, 0.2f, "20%"},
        {kVintageCompressor, 0, 0.4f, "0.00dB"},
        {kVintageCompressor, 0, 1.0f, "36dB"},
        {kVintageCompressor, 0, 0.0f, "-24dB"},
        {kVintageCompressor, 1, 0.0f, "0.05ms"},
        {kVintageCompressor, 1, 1.0f, "50ms"},
        {kVintageCompressor, 1, 0.5f, "6.29ms"},
        {kVintageCompressor, 2, 0.5f, "67ms"},
        {kVintageCompressor, 3, 0.0f, "1 : 1.0"},
        {kVintageCompressor, 3, 1.0f, "1 : 50"},
        {kVintageCompressor, 3, 0.5f, "1 : 4.1"},
    };
    for (const Case& c : cases) {
        float stored[4] = {};
        stored[c.p] = c.x;
        EXPECT_EQ(knobText(c.type, c.p, stored), c.text) << effectName(c.type) << " knob " << c.p << " at " << c.x;
    }
    const float slowest[4] = {1.0f};
    EXPECT_EQ(knobText(kLoFi, 0, slowest, 96000.0), "0.96k") << "a fraction of the sample rate";
}

// Sound: the 12 dB low-pass at its labelled cutoff passes its resonance-free
// gain of one half; two octaves below it passes nearly everything.
TEST(EffectLabelTexts, AnalogueFilterCutsWhereItsLabelSays) {
    const float knobs[4] = {0.5f};
    const Reading cutoff = read(knobText(kAnalogueFilter12, 0, knobs));
    auto gainAt = [](double hz) {
        EffectSlotRig rig;
        rig.select(kAnalogueFilter12, 0.5f, 0.0f, 0.0f, 0.0f);
        Stereo out = rig.run(sine(44100, hz, 0.01f));
        return peak(out.left, 22050) / 0.01f;
    };
    EXPECT_NEAR(gainAt(cutoff.value), 0.5f, 0.05f) << cutoff.value << " Hz";
    EXPECT_GT(gainAt(cutoff.value / 4.0), 0.9f);
}
