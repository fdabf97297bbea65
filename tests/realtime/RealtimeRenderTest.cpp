#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

#include <core/DrumMachine.h>
#include <engine/EffectsModule.h>
#include <engine/InstrumentVoice.h>
#include <params/EffectNames.h>

#include "AllocationCounter.h"
#include "LockCounter.h"
#include "MachineDriver.h"
#include "StressSetup.h"

using namespace trommik2;

TEST(Realtime, FactoryStateRendersWithoutAllocatingAfterTheFirstBlock) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    machine->setSampleRate(44100.0f);
    machine->setParameter(99998, 120.0f);
    for (int t = 0; t < 16; ++t)
        for (int slot = 0; slot < 64; slot += 4)
            machine->sequencer().track(t).setStep(slot, 100);
    std::vector<float> left(512), right(512);
    float* outputs[2] = {left.data(), right.data()};
    machine->setParameter(99999, 0.0f);
    machine->processReplacing(nullptr, outputs, 512);
    allocation::startCounting();
    for (int block = 1; block < 400; ++block) {
        machine->setSampleRate(44100.0f);
        machine->setParameter(99999, static_cast<float>(block * 512));
        machine->setParameter(99998, 120.0f);
        machine->processReplacing(nullptr, outputs, 512);
    }
    EXPECT_EQ(allocation::stopCounting(), 0u);
}

TEST(Realtime, VoiceRendersWithoutAllocatingAfterTheFirstBlock) {
    float smoothing[kParameterCount];
    for (float& ms : smoothing)
        ms = 10.0f;
    InstrumentVoice voice(smoothing, 44100.0f);
    voice.setParameter(GenSynthesisType, 0.0f);
    float left[64], right[64];
    voice.trigger(1.0f);
    voice.renderBlock(64, left, right);
    allocation::startCounting();
    for (int block = 0; block < 200; ++block) {
        if (block % 50 == 0)
            voice.trigger(0.8f);
        voice.renderBlock(64, left, right);
    }
    EXPECT_EQ(allocation::stopCounting(), 0u);
}

TEST(Realtime, LockCounterSeesOtherLocksButNotTheExcludedOne) {
    std::recursive_mutex excluded;
    std::mutex other;
    locks::startCounting(excluded.native_handle());
    { std::lock_guard<std::recursive_mutex> a(excluded); }
    { std::lock_guard<std::mutex> b(other); }
    EXPECT_EQ(locks::stopCounting(), 1u);
}

// The stress setup has no automation of GenSynthesisType, whose switches are
// the one place where the audio thread may allocate.
TEST(Realtime, StressSetupRendersWithoutAllocationsOrForeignLocksAfterTheFirstBlock) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    ASSERT_TRUE(StressSetup::apply(*machine));
    MachineDriver driver(*machine, 44100, 512);
    driver.renderBlock();
    allocation::startCounting();
    locks::startCounting(machine->processLock().mutex().native_handle());
    for (int block = 1; block < 350; ++block) // over four seconds: the whole two-bar pattern plays
        driver.renderBlock();
    size_t lockCount = locks::stopCounting();
    EXPECT_EQ(allocation::stopCounting(), 0u);
    EXPECT_EQ(lockCount, 0u);
    EXPECT_GT(machine->renderedVoiceSamples(), 16u * 44100u) << "the tracks really played";
}

TEST(Realtime, AnEffectTakesItsBuffersWhenSwitchedOnNotBefore) {
    constexpr size_t kTwoBarsAt60Bpm = 8 * 44100 * sizeof(float);
    allocation::startCounting();
    auto fx = std::make_unique<EffectsModule>(); // a synchronised mono delay, off
    fx->setSampleRate(44100.0f);
    fx->setTempo(60.0f);
    fx->setValue(FXType, static_cast<float>(kStereoDelaySync), ModuleParameter::kBase);
    const size_t whileOff = allocation::countedBytes();
    fx->setValue(FXActive, 1.0f, ModuleParameter::kBase);
    const size_t switchedOn = allocation::countedBytes() - whileOff;
    fx->setValue(FXActive, 0.0f, ModuleParameter::kBase);
    fx->setValue(FXActive, 1.0f, ModuleParameter::kBase);
    const size_t again = allocation::countedBytes() - whileOff - switchedOn;
    allocation::stopCounting();
    EXPECT_LT(whileOff, 16u * 1024u);
    EXPECT_GE(switchedOn, 2 * kTwoBarsAt60Bpm) << "two lines long enough for two bars at 60 BPM";
    EXPECT_EQ(again, 0u) << "the buffers stay once taken";

    float in[64] = {1.0f}, left[64], right[64];
    allocation::startCounting();
    fx->process(in, in, left, right, 64);
    EXPECT_EQ(allocation::stopCounting(), 0u);
    for (float v : left)
        EXPECT_TRUE(std::isfinite(v));
}

namespace {

// A machine whose track 5 has its (synchronised delay) effect off and a pattern
// that switches it on at every step slot (a slot without a point would switch
// it off again).
void automateEffectSwitch(DrumMachine& machine) {
    machine.setParameter(10001, 5.0f);
    machine.setParameter(FXType, 0.0f);
    machine.setParameter(FXActive, 0.0f);
    TrackPattern& pattern = machine.sequencer().track(5);
    pattern.setStep(0, 127);
    for (int slot = 0; slot < 128; ++slot)
        pattern.setAutomationPoint(FXActive, slot, 1.0f);
    pattern.setAutomationScale(FXActive, 1.0f);
}

// Allocations while rendering 100 blocks from the first.
size_t allocationsWhilePlaying(DrumMachine& machine) {
    MachineDriver driver(machine, 44100, 512);
    allocation::startCounting();
    for (int block = 0; block < 100; ++block)
        driver.renderBlock();
    return allocation::stopCounting();
}

} // namespace

TEST(Realtime, AnEffectSwitchedOnByAutomationFromADocumentAllocatesNothingWhilePlaying) {
    auto source = std::make_unique<DrumMachine>(nullptr);
    automateEffectSwitch(*source);
    std::string setup;
    ASSERT_TRUE(source->setupDocument().setupToText(setup));

    auto loaded = std::make_unique<DrumMachine>(nullptr);
    ASSERT_TRUE(loaded->loadState(setup.c_str()));
    loaded->resume();
    ASSERT_FALSE(loaded->bank().voice(5).effects().isActive());
    EXPECT_EQ(allocationsWhilePlaying(*loaded), 0u);
    EXPECT_TRUE(loaded->bank().voice(5).effects().isActive()) << "the automation switched it on";

    // The same pattern written straight into the model, which tells nobody:
    // the audio thread has to size the buffers itself.
    source->resume();
    EXPECT_GT(allocationsWhilePlaying(*source), 0u);
    EXPECT_TRUE(source->bank().voice(5).effects().isActive());
}

namespace {

// Track 5 hits at the start of the bar through its effect, which is on.
DrumMachine& effectTrack(DrumMachine& machine, EffectType type) {
    const ParameterTable& table = machine.bank().table();
    machine.setParameter(10001, 5.0f);
    machine.setParameter(FXType, table.toNormalized(FXType, static_cast<float>(type)));
    machine.setParameter(FXActive, 1.0f);
    machine.setParameter(FXParam3, 0.95f); // a long echo
    machine.sequencer().track(5).setStep(0, 127);
    return machine;
}

void automateEveryType(DrumMachine& machine) {
    TrackPattern& pattern = effectTrack(machine, kMonoDelaySync).sequencer().track(5);
    for (int slot = 0; slot < 32; slot += 8)
        pattern.setStep(slot, 127);
    for (int slot = 0; slot < 128; ++slot)
        pattern.setAutomationPoint(FXType, slot, static_cast<float>(slot % kEffectTypeCount));
    pattern.setAutomationScale(FXType, 1.0f);
    machine.patternChanged(); // as the editor and the documents announce a pattern
}

} // namespace

// What the pattern and the host do while a track's effect plays: its type
// switched on every step, and the host's tempo falling from 120 to 40 BPM
// under a synchronised delay (that its echo rings on is the effect slot's
// own test).
TEST(Realtime, EffectSwitchesAndTempoDropsAllocateNothingAndTakeNoForeignLock) {
    struct Case {
        const char* name;
        void (*arrange)(DrumMachine&);
        float tempoAfterOneSecond;
        int leastTypesHeard;
    };
    const Case cases[] = {
        {"FXType on every step", automateEveryType, 120.0f, kEffectTypeCount},
        {"tempo drop", [](DrumMachine& m) { effectTrack(m, kStereoDelaySync); }, 40.0f, 1},
    };
    for (const Case& c : cases) {
        auto machine = std::make_unique<DrumMachine>(nullptr);
        c.arrange(*machine);
        MachineDriver driver(*machine, 44100, 512);
        driver.renderBlock();
        const EffectsModule& fx = machine->bank().voice(5).effects();
        uint32_t heard = 0;
        allocation::startCounting();
        locks::startCounting(machine->processLock().mutex().native_handle());
        for (int block = 1; block < 260; ++block) { // three seconds
            if (block == 86)
                driver.setTempo(c.tempoAfterOneSecond);
            driver.renderBlock();
            heard |= 1u << fx.effectType();
        }
        const size_t lockCount = locks::stopCounting();
        EXPECT_EQ(allocation::stopCounting(), 0u) << c.name;
        EXPECT_EQ(lockCount, 0u) << c.name;
        EXPECT_GE(__builtin_popcount(heard), c.leastTypesHeard) << c.name;
    }
}
