#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <params/FactoryInstruments.h>
#include <params/ParameterTable.h>

using namespace trommik2;

TEST(ParameterTable, MappingsFollowTheCurve) {
    ParameterTable table;
    EXPECT_FLOAT_EQ(table.toValue(GenNoiseFreq1, 0.5f), 1809.0f);
    EXPECT_NEAR(table.toValue(OutLevelDB, 0.5f), -48.0f + 0.6666f * 72.0f, 1e-4f);
    EXPECT_NEAR(table.toNormalized(OutLevelDB, 0.0f), 0.5f, 0.001f) << "knob reset position of the level";
    for (int i = 0; i < kParameterCount; ++i) {
        const ParameterDescriptor& d = table.descriptor(i);
        EXPECT_FLOAT_EQ(table.toValue(i, 0.0f), d.minimum) << d.key;
        EXPECT_FLOAT_EQ(table.toValue(i, 1.0f), d.maximum) << d.key;
        EXPECT_FLOAT_EQ(table.toNormalized(i, d.minimum), 0.0f) << d.key;
        EXPECT_FLOAT_EQ(table.toNormalized(i, d.maximum), 1.0f) << d.key;
        for (float x : {0.1f, 0.37f, 0.8f})
            EXPECT_NEAR(table.toNormalized(i, table.toValue(i, x)), x, 2e-4f) << d.key << " at " << x;
    }
    for (float v : {-5.0f, 0.0f, 2.0f})
        EXPECT_EQ(table.automationToNormalized(GenSynthesisType, v), 0.0f);
    EXPECT_FLOAT_EQ(table.automationToValue(GenFMRingTune1, 0.5f), 0.0f);
}

TEST(ParameterTable, CurveParameterIsClampedAwayFromZeroAndOne) {
    ValueCurve curve;
    curve.set(0.0f);
    EXPECT_FLOAT_EQ(curve.mid(), 0.00001f);
    curve.set(1.0f);
    EXPECT_FLOAT_EQ(curve.mid(), 0.99999f);
    ParameterTable table;
    table.registerParameter(GenNullDummy, "GenNullDummy", 0, 1, 0, 1.0f, 0, 1, 0, 0, 0, 0, 0, 3, "-", "-");
    for (float x : {0.0f, 0.5f, 1.0f}) {
        EXPECT_TRUE(std::isfinite(table.toValue(GenNullDummy, x)));
        EXPECT_TRUE(std::isfinite(table.toNormalized(GenNullDummy, x)));
    }
}

TEST(ParameterTable, GroupsNamesAndKeys) {
    ParameterTable table;
    EXPECT_EQ(table.groupMembers(0), (std::vector<int>{2, 7, 3, 8, 4, 9, 5, 10, 6, 11}));
    EXPECT_EQ(table.groupMembers(2), (std::vector<int>{12, 13, 14, 16, 17, 15, 18, 19}));
    EXPECT_EQ(table.groupMembers(9), (std::vector<int>{0, 39}));
    EXPECT_EQ(table.groupMembers(1).size(), 14u);
    EXPECT_STREQ(table.groupName(1), "Phase Distortion Synth");
    EXPECT_STREQ(table.groupName(12), "- no module -");
    EXPECT_STREQ(table.key(OutPan), "OutPan");
    EXPECT_STREQ(table.longName(FilterType), "Filter type (off | low | band | high)");
    EXPECT_STREQ(table.shortName(GenMixSynthesisWav), "Mix Wav:Synth");
    EXPECT_EQ(table.indexOfKey("FXActive"), FXActive);
    EXPECT_EQ(table.indexOfKey("fxactive"), -1) << "keys compare case-sensitively";
    EXPECT_EQ(table.descriptor(GenNoiseFreq1).knobFineSteps, 18001);
    EXPECT_FLOAT_EQ(table.descriptor(OutLevelDB).smoothingMs, 40.0f);
    EXPECT_FLOAT_EQ(table.descriptor(GenFMRingTune1).automationMinimum, -24.0f);
}

TEST(ParameterTable, NoteNames) {
    ParameterTable table;
    EXPECT_STREQ(table.noteName(0), "c  0");
    EXPECT_STREQ(table.noteName(1), "c# 0");
    EXPECT_STREQ(table.noteName(12), "c  1");
    EXPECT_STREQ(table.noteName(36), "c  3");
    EXPECT_STREQ(table.noteName(127), "g  10");
    EXPECT_STREQ(table.noteName(128), "");
}

TEST(FactoryInstruments, StartWithTheSynthesisTypeAndStayInRange) {
    ParameterTable table;
    for (int track = 0; track < 16; ++track) {
        auto values = factoryInstrument(track);
        ASSERT_FALSE(values.empty());
        EXPECT_EQ(values.front().index, GenSynthesisType);
        for (const FactoryValue& v : values) {
            const ParameterDescriptor& d = table.descriptor(v.index);
            EXPECT_GE(v.value, d.minimum) << "track " << track << " " << d.key;
            EXPECT_LE(v.value, d.maximum) << "track " << track << " " << d.key;
        }
    }
    EXPECT_EQ(factoryInstrument(9).data(), factoryInstrument(0).data()) << "tracks 5..15 repeat track 0";
}
