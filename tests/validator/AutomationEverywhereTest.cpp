// Automation of every parameter at every step of every track, in-process: the
// pattern's own interface is not reachable through the entry point.
#include <gtest/gtest.h>
#include <trommik2/control_ids.h>

#include <memory>
#include <random>
#include <vector>

#include "MachineDriver.h"
#include "ModuleHost.h"
#include "core/DrumMachine.h"

using namespace trommik2;

TEST(HostBoundary, AutomationOfEveryParameterAtEveryStep) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    Sequencer& sequencer = machine->sequencer();
    sequencer.setBars(4);
    const ParameterTable& table = machine->bank().table();
    std::mt19937 random(128);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        TrackPattern& pattern = sequencer.track(t);
        pattern.setVelocityRandom(unit(random));
        for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot) {
            pattern.setStep(slot, 1 + static_cast<int>(random() % 127));
            for (int p = 0; p < kParameterCount; ++p) {
                const ParameterDescriptor& d = table.descriptor(p);
                float value = d.automationMinimum + unit(random) * (d.automationMaximum - d.automationMinimum);
                // Points hold non-zero values; the ends of the range are visited too.
                if (slot % 16 == 5)
                    value = d.automationMaximum;
                pattern.setAutomationPoint(p, slot, value != 0.0f ? value : 1.0f);
            }
        }
        for (int p = 0; p < kParameterCount; ++p) {
            pattern.setAutomationScale(p, 0.5f + unit(random));
            pattern.setAutomationRandom(p, unit(random) * 0.5f);
        }
    }
    // Four bars at 400 BPM: every one of the 128 steps plays once.
    MachineDriver driver(*machine, 44100, 512, 400.0f);
    std::vector<float> audio(2 * 512);
    const int blocks = 4 * 4 * 60 * 44100 / 400 / 512 + 2;
    for (int b = 0; b < blocks; ++b) {
        driver.renderBlock();
        std::copy(driver.left(), driver.left() + 512, audio.begin());
        std::copy(driver.right(), driver.right() + 512, audio.begin() + 512);
        ASSERT_TRUE(clean(audio)) << "block " << b;
    }
    EXPECT_GT(machine->renderedVoiceSamples(), 0u);

    // Every parameter now carries an automation offset; a host still reads back what it writes.
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        machine->setParameter(kParamSelectTrack, static_cast<float>(t));
        for (int p = 0; p < kParameterCount; ++p) {
            if (p == GenNullDummy)
                continue;
            for (float written : {0.1f, 0.5f, 0.9f}) {
                machine->setParameter(p, written);
                ASSERT_NEAR(machine->getParameter(p), written, 1e-5f) << "track " << t << ", " << table.key(p);
            }
        }
    }
}
