#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <content/ContentLibrary.h>
#include <core/DrumMachine.h>
#include <engine/EffectsModule.h>
#include <params/EffectNames.h>
#include <trommik2/control_ids.h>

#include "AllocationCounter.h"
#include "LockCounter.h"
#include "support/FileSupport.h"

using namespace trommik2;

namespace {

constexpr int kTrack = 5;

struct SlotState {
    EffectType type;
    bool active;
};

// Track kTrack's effect slot set as the editor sets it, with a long echo.
void setSlot(DrumMachine& machine, SlotState state) {
    const ParameterTable& table = machine.bank().table();
    machine.setParameter(10001, static_cast<float>(kTrack));
    machine.setParameter(FXType, table.toNormalized(FXType, static_cast<float>(state.type)));
    machine.setParameter(FXActive, state.active ? 1.0f : 0.0f);
    machine.setParameter(FXParam3, 0.95f);
}

// What the calling thread allocates and frees while it holds the process lock.
template <typename Work>
allocation::Counts underTheLock(DrumMachine& machine, Work work) {
    allocation::startGatedCounting();
    locks::gateAllocationsOn(machine.processLock().mutex().native_handle());
    work();
    locks::gateAllocationsOn(nullptr);
    return allocation::stopGatedCounting();
}

} // namespace

// A loader reads, builds and sizes everything before it takes the process
// lock and destroys what it replaced after it: under the lock, which the audio
// thread waits for, it only swaps. Delay lines of several megabytes are what
// an effect switch would otherwise allocate or free there.
TEST(Realtime, ReadingAnInstrumentNeitherAllocatesNorFreesUnderTheProcessLock) {
    struct Case {
        const char* name;
        SlotState before, read;
    };
    const Case cases[] = {
        {"off, then a synchronised delay switched on", {kMonoDelaySync, false}, {kStereoDelaySync, true}},
        {"a delay on, then another type on", {kStereoDelaySync, true}, {kMonoDelaySync, true}},
        {"a delay on, then another type off", {kStereoDelaySync, true}, {kMonoDelaySync, false}},
        {"the same type on both", {kStereoDelaySync, true}, {kStereoDelaySync, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto source = std::make_unique<DrumMachine>(nullptr);
        setSlot(*source, c.read);
        std::string instrument;
        ASSERT_TRUE(source->instrumentDocument().instrumentToText(kTrack, instrument));

        auto machine = std::make_unique<DrumMachine>(nullptr);
        setSlot(*machine, c.before);
        const allocation::Counts counts = underTheLock(*machine, [&] {
            ASSERT_TRUE(machine->instrumentDocument().instrumentFromText(kTrack, instrument.c_str()));
        });
        EXPECT_EQ(counts.allocations, 0u);
        EXPECT_EQ(counts.releases, 0u);
        const EffectsModule& fx = machine->bank().voice(kTrack).effects();
        EXPECT_EQ(fx.effectType(), c.read.type);
        EXPECT_EQ(fx.isActive(), c.read.active);
    }
}

TEST(Realtime, LoadingASetupNeitherAllocatesNorFreesUnderTheProcessLock) {
    auto source = std::make_unique<DrumMachine>(nullptr);
    setSlot(*source, {kStereoDelaySync, true});
    std::string setup;
    ASSERT_TRUE(source->setupDocument().setupToText(setup));

    auto machine = std::make_unique<DrumMachine>(nullptr);
    setSlot(*machine, {kMonoDelaySync, true});
    const allocation::Counts counts = underTheLock(*machine, [&] { ASSERT_TRUE(machine->loadState(setup.c_str())); });
    EXPECT_EQ(counts.allocations, 0u);
    EXPECT_EQ(counts.releases, 0u);
    EXPECT_EQ(machine->bank().voice(kTrack).effects().effectType(), kStereoDelaySync);
}

// The editor's type menus: the effect is built outside the lock as the
// parameter's switches are, the synthesis modules exist for every type.
TEST(Realtime, TypeMenuChoicesNeitherAllocateNorFreeUnderTheProcessLock) {
    struct Case {
        const char* name;
        int32_t menu;
        int32_t choice;
    };
    const Case cases[] = {
        {"effect type", kControlEffectTypeMenu, kMonoDelaySync},
        {"effect type back", kControlEffectTypeMenu, kStereoDelaySync},
        {"synthesis type", kControlSynthesisTypeMenu, 2},
        {"synthesis type back", kControlSynthesisTypeMenu, 0},
    };
    auto machine = std::make_unique<DrumMachine>(nullptr);
    setSlot(*machine, {kStereoDelaySync, true});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const allocation::Counts counts =
            underTheLock(*machine, [&] { machine->command(c.menu, 0, nullptr, 1, c.choice); });
        EXPECT_EQ(counts.allocations, 0u);
        EXPECT_EQ(counts.releases, 0u);
    }
    EXPECT_EQ(machine->bank().voice(kTrack).effects().effectType(), kStereoDelaySync);
    EXPECT_TRUE(machine->bank().voice(kTrack).effects().isActive());
}

// Both ways a sample reaches a track: the editor's sample menu and the
// library's import (drag and drop). Each replaces a sample that was there, so
// a free under the lock would show; the last choice takes the sample out.
TEST(Realtime, ChoosingASampleNeitherAllocatesNorFreesUnderTheProcessLock) {
    TempFolder root("trommik2-lock-sample");
    auto machine = std::make_unique<DrumMachine>(nullptr);
    machine->startUp(root.path().string(), root.file("Trommik2.ini"));
    const std::string importTemplate = root.file(std::string("Trommik2/config/") + ContentLibrary::kAutoImportTemplate);
    std::filesystem::create_directories(std::filesystem::path(importTemplate).parent_path());
    ASSERT_TRUE(machine->instrumentDocument().saveInstrumentFile(15, importTemplate));
    std::vector<std::string> paths;
    for (const char* name : {"a-sample-with-a-long-name-first.wav", "a-sample-with-a-long-name-second.wav"}) {
        paths.push_back(machine->contentFolders().pathOf(name, kContentSamples));
        std::filesystem::create_directories(std::filesystem::path(paths.back()).parent_path());
        writeFile(paths.back(), monoWave(std::vector<int16_t>(20000, 1000)));
    }
    machine->setParameter(10001, static_cast<float>(kTrack));
    struct Case {
        const char* name;
        std::function<void()> choose;
        std::string expectedPath;
    };
    const Case cases[] = {
        {"menu, first", [&] { machine->command(kControlSampleMenu, 0, paths[0].c_str(), 1, 0); }, paths[0]},
        {"import, second", [&] { machine->contentLibrary().importSampleAsInstrument(kTrack, paths[1]); }, paths[1]},
        {"menu, first again", [&] { machine->command(kControlSampleMenu, 0, paths[0].c_str(), 1, 0); }, paths[0]},
        {"menu, none", [&] { machine->command(kControlSampleMenu, 0, nullptr, 1, -1); }, "No Sample"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const allocation::Counts counts = underTheLock(*machine, c.choose);
        EXPECT_EQ(counts.allocations, 0u);
        EXPECT_EQ(counts.releases, 0u);
        EXPECT_EQ(machine->bank().track(kTrack).samplePath, c.expectedPath);
    }
}

// The knob menus change only what the editor shows; the schematics entry
// writes the settings file, which must not happen while rendering waits.
TEST(Realtime, KnobMenuChoicesNeitherAllocateNorFreeUnderTheProcessLock) {
    TempFolder root("trommik2-lock-knobs");
    auto machine = std::make_unique<DrumMachine>(nullptr);
    machine->startUp(root.path().string(), root.file("Trommik2.ini"));
    const bool schematics = machine->displaysSchematics();
    struct Case {
        const char* name;
        int32_t kind;
        int32_t value;
    };
    const Case cases[] = {
        {"a parameter on the first knob", 1, FilterFreq},
        {"the module schematics", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const allocation::Counts counts =
            underTheLock(*machine, [&] { machine->command(kControlFirstKnobSlot, c.kind, nullptr, 1, c.value); });
        EXPECT_EQ(counts.allocations, 0u);
        EXPECT_EQ(counts.releases, 0u);
    }
    const int track = machine->bank().selectedTrack;
    EXPECT_EQ(machine->model().knobSlots().assigned(track, kControlFirstKnobSlot), FilterFreq);
    EXPECT_NE(machine->displaysSchematics(), schematics);
}

TEST(Realtime, TheAllocationGateOpensOnlyWhileTheWatchedMutexIsHeld) {
    // Kept where the compiler cannot see them go, so that none is elided.
    static std::unique_ptr<int> before, inside, after;
    std::recursive_mutex watched;
    before = std::make_unique<int>(1);
    allocation::startGatedCounting();
    locks::gateAllocationsOn(watched.native_handle());
    {
        std::lock_guard<std::recursive_mutex> outer(watched);
        {
            std::lock_guard<std::recursive_mutex> inner(watched);
            before.reset();
        }
        inside = std::make_unique<int>(2);
    }
    after = std::make_unique<int>(3);
    inside.reset();
    locks::gateAllocationsOn(nullptr);
    const allocation::Counts counts = allocation::stopGatedCounting();
    EXPECT_EQ(counts.allocations, 1u) << "only the one made while held";
    EXPECT_EQ(counts.releases, 1u) << "only the one freed while held";
    after.reset();
}
