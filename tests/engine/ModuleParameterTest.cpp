#include <gtest/gtest.h>

#include <cmath>

#include <engine/ModuleParameter.h>
#include <engine/SoundModule.h>

using namespace trommik2;

TEST(ModuleParameter, SmoothingCoefficientsFollowTheControlRate) {
    ModuleParameter p;
    p.setSampleRate(44100.0f);
    p.setSmoothingTime(10.0f);
    double c = 44100.0 / 64.0;
    double r = 100.0 / (c / 2.0);
    EXPECT_NEAR(p.b, 1.0 - (1.0 - r) * (1.0 - r), 1e-6);
    EXPECT_NEAR(p.a, -(1.0 - r) * (1.0 - r), 1e-6);
    p.setSmoothingTime(0.0f);
    EXPECT_FLOAT_EQ(p.smoothingMs, 0.001f);
    EXPECT_NEAR(p.b, 1.0f, 1e-6f) << "no smoothing: the value jumps";
    p.setSmoothingTime(5000.0f);
    EXPECT_NEAR(p.b, 1.0 - std::pow(1.0 - 1.0 / (c / 2.0), 2.0), 1e-6) << "the corner never falls below 1 Hz";
}

TEST(ModuleParameter, SmoothedValueGlidesAndIgnoresTinySteps) {
    ModuleParameter p;
    p.setSampleRate(44100.0f);
    p.setSmoothingTime(10.0f);
    p.slot[ModuleParameter::kBase] = 100.0f;
    p.reset();
    p.slot[ModuleParameter::kBase] = 100.0005f;
    p.smooth();
    EXPECT_EQ(p.slot[ModuleParameter::kSmoothed], 100.0f) << "a step under 0.001 is not applied";
    EXPECT_EQ(p.slot[ModuleParameter::kTarget], 100.0005f);
    p.slot[ModuleParameter::kBase] = 200.0f;
    p.slot[ModuleParameter::kOffset] = 10.0f;
    float previous = 100.0f;
    for (int block = 0; block < 60; ++block) {
        p.smooth();
        float now = p.slot[ModuleParameter::kSmoothed];
        EXPECT_GE(now, previous) << "rises monotonically toward the target, block " << block;
        previous = now;
    }
    EXPECT_NEAR(previous, 210.0f, 0.01f);
    EXPECT_EQ(p.slot[ModuleParameter::kTarget], 210.0f);
    p.reset();
    EXPECT_EQ(p.slot[ModuleParameter::kOffset], 0.0f);
    EXPECT_EQ(p.slot[ModuleParameter::kSmoothed], 200.0f);
}

TEST(SoundModule, IndicesOutsideTheModuleAreIgnored) {
    SoundModule module("Global", 39, 1);
    module.setValue(39, 0.25f, 0);
    module.setValue(40, 0.75f, 0);
    module.setValue(39, 0.5f, 7);
    EXPECT_EQ(module.value(39, 0), 0.25f);
    EXPECT_EQ(module.value(40, 0), 0.0f);
    EXPECT_EQ(module.value(38, 3), 0.0f);
    EXPECT_EQ(module.value(39, 4), 0.0f);
    module.setOffset(39, 0.125f);
    module.smoothParameters();
    EXPECT_EQ(module.value(39, 2), 0.375f);
}

// A settled module skips its smoothing pass; every kind of write must wake it.
TEST(SoundModule, WritesAfterSettlingAreSmoothedIn) {
    struct Write {
        const char* name;
        void (*apply)(SoundModule&);
        float target;
    };
    const Write writes[] = {
        {"base", [](SoundModule& m) { m.setValue(7, 3.0f, ModuleParameter::kBase); }, 3.0f},
        {"offset", [](SoundModule& m) { m.setOffset(7, -1.0f); }, 0.0f},
        {"target slot", [](SoundModule& m) { m.setValue(7, 5.0f, ModuleParameter::kTarget); }, 1.0f},
    };
    for (const Write& write : writes) {
        SoundModule module("Test", 6, 2);
        module.setValue(7, 1.0f, ModuleParameter::kBase);
        for (int block = 0; block < 200; ++block)
            module.smoothParameters();
        ASSERT_NEAR(module.value(7, ModuleParameter::kSmoothed), 1.0f, 0.001f) << write.name;
        write.apply(module);
        for (int block = 0; block < 200; ++block)
            module.smoothParameters();
        EXPECT_EQ(module.value(7, ModuleParameter::kTarget), write.target) << write.name;
        EXPECT_NEAR(module.value(7, ModuleParameter::kSmoothed), write.target, 0.001f) << write.name;
    }
}
