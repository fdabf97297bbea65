#include <gtest/gtest.h>

#include <cstring>

#include <params/EffectNames.h>

using namespace trommik2;

TEST(EffectNames, TypesAndTheirKnobs) {
    EXPECT_STREQ(effectLongName(kMonoDelaySync), "Mono Delay (Tempo Sync)");
    EXPECT_STREQ(effectShortName(kMonoDelaySync), "Mono Delay (Sync)");
    EXPECT_STREQ(effectShortName(kStereoDelayMs), "Stereo Delay (ms)");
    EXPECT_STREQ(effectLongName(kAnalogueFilter24), "Analogue Filter 24dB");
    EXPECT_STREQ(effectLongName(kVintageCompressor), "Vintage Compressor");
    EXPECT_STREQ(effectLongName(kEffectTypeCount), "no fx");
    EXPECT_STREQ(effectShortName(-1), "no fx");
    EXPECT_STREQ(effectParameterName(kLoFi, 1), "Crush");
    EXPECT_STREQ(effectParameterName(kAnalogueFilter12, 3), "Drive");
    EXPECT_STREQ(effectParameterName(kFlanger, 4), "");
    for (int type = 0; type < kEffectTypeCount; ++type) {
        EXPECT_LE(std::strlen(effectLongName(type)), 63u);
        for (int p = 0; p < kEffectParameterCount; ++p) {
            EXPECT_GT(std::strlen(effectParameterName(type, p)), 0u) << type << "/" << p;
            EXPECT_GT(std::strlen(effectParameterDescription(type, p)), 0u) << type << "/" << p;
        }
    }
    EXPECT_STREQ(effectParameterDescription(kHallReverb, 0), "Hall Decay (Reverb Length)");
    EXPECT_STREQ(effectParameterDescription(kDistortion, 1), "Amount of Low-Shelf Filtering");
    EXPECT_STREQ(effectParameterDescription(kDistortion, 2), "High");
}

TEST(EffectNames, SyncStepsRunFromTwoBarsToAThirtySecond) {
    const char* const names[kSyncStepCount] = {"2 Bars",     "1 Bar",       "1/2 Bar", "1/4 Dot.",   "1/4",
                                               "1/4 Tripl.", "1/8 Dot.",    "1/8",     "1/8 Tripl.", "1/16 Dot.",
                                               "1/16",       "1/16 Tripl.", "1/32"};
    const double beats[kSyncStepCount] = {8,   4,         2,     1.5,  1,         2.0 / 3.0, 0.75,
                                          0.5, 1.0 / 3.0, 0.375, 0.25, 1.0 / 6.0, 0.125};
    for (int k = 0; k < kSyncStepCount; ++k) {
        EXPECT_STREQ(syncStepName(k), names[k]);
        EXPECT_DOUBLE_EQ(syncStepBeats(k), beats[k]) << names[k];
    }
    EXPECT_STREQ(syncStepName(40), "1/32") << "clamped";
    EXPECT_DOUBLE_EQ(syncStepBeats(-2), 8.0);
}
