// The audio thread renders while the user-interface thread edits everything it
// may edit without the process lock (and some things it edits with it). Run
// under ThreadSanitizer this finds the races; in every build it must neither
// crash nor make the output anything but finite.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <thread>

#include "MachineDriver.h"
#include "StressSetup.h"
#include "core/DrumMachine.h"

using namespace trommik2;

namespace {

constexpr auto kDuration = std::chrono::milliseconds(2000);

struct AudioThread {
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<bool> finite{true};

    void run(DrumMachine& machine) {
        MachineDriver driver(machine, 44100, 512);
        while (!stop.load()) {
            driver.renderBlock();
            for (int i = 0; i < 512; ++i)
                if (!std::isfinite(driver.left()[i]) || !std::isfinite(driver.right()[i]))
                    finite = false;
            ++blocks;
            // A host's audio thread waits for its next period; the user
            // interface gets the process lock in between.
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
};

// One random edit of the kinds the editor makes.
void edit(DrumMachine& machine, std::mt19937& random) {
    auto uniform = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto unit = [&random] { return static_cast<float>(random() % 1001) / 1000.0f; };
    const int track = uniform(16);
    TrackPattern& pattern = machine.sequencer().track(track);
    char text[DrumMachine::kDisplayLength];
    switch (uniform(14)) {
    case 0: pattern.setStep(uniform(128), uniform(128)); break;
    case 1: pattern.setAutomationPoint(uniform(kParameterCount), uniform(64), unit() * 100.0f); break;
    case 2: pattern.setAutomationScale(uniform(kParameterCount), unit()); break;
    case 3: machine.setParameter(uniform(kParameterCount), unit()); break;
    case 4: machine.setParameter(uniform(2) ? GenSynthesisType : FXType, unit()); break;
    case 5: machine.setParameter(10001, static_cast<float>(track)); break;
    case 6: machine.setParameter(10028 + track, static_cast<float>(uniform(2))); break;
    case 7: machine.setParameter(10044 + track, uniform(8) == 0 ? 1.0f : 0.0f); break;
    case 8: machine.setParameter(10000, unit()); break;
    case 9: machine.setParameter(10022, unit()); break;
    case 10: machine.setParameter(10015, unit()); break;
    case 11: machine.setSampleRate(uniform(2) ? 48000.0f : 44100.0f); break;
    case 12:
        machine.getParameter(uniform(kParameterCount));
        machine.getParameter(10017);
        break;
    default: machine.getParameterDisplay(uniform(kParameterCount), text); break;
    }
}

} // namespace

TEST(Concurrency, RenderingWhileTheUserInterfaceEditsStepsParametersAndTheRate) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    ASSERT_TRUE(StressSetup::apply(*machine));
    // Automation of the synthesis type on two tracks: the audio thread switches
    // their modules while the edits below write parameters into them.
    machine->sequencer().track(1).setAutomationPoint(GenSynthesisType, 0, 1.0f);
    machine->sequencer().track(2).setAutomationPoint(GenSynthesisType, 16, 2.0f);

    AudioThread audio;
    std::thread renderer([&] { audio.run(*machine); });
    std::mt19937 random(2024);
    long edits = 0;
    const auto end = std::chrono::steady_clock::now() + kDuration;
    while (std::chrono::steady_clock::now() < end) {
        edit(*machine, random);
        if (++edits % 64 == 0)
            std::this_thread::yield();
    }
    audio.stop = true;
    renderer.join();

    RecordProperty("edits", static_cast<int>(edits));
    RecordProperty("blocks", static_cast<int>(audio.blocks.load()));
    EXPECT_TRUE(audio.finite.load());
    EXPECT_GT(audio.blocks.load(), 10);
    EXPECT_GT(edits, 100);
}
