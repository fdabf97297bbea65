// The audio thread renders while the user-interface thread edits everything it
// may edit without the process lock (and some things it edits with it): steps,
// parameters, the rate, instrument, kit and setup documents, the clipboards and
// exchanges. Run under ThreadSanitizer this finds the races; in every build it
// must neither crash nor make the output anything but finite.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include "MachineDriver.h"
#include "StressSetup.h"
#include "content/WavLoader.h"
#include "core/DrumMachine.h"
#include "platform/ScriptedDialogs.h"

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

// Documents another machine wrote, for the edits to load: instrument texts of
// the stress tracks, a kit file and a setup text, all naming a sample file
// that stays on disk, so every load reads it again.
struct Documents {
    std::filesystem::path kitFile;
    std::filesystem::path sampleFile;
    std::string instruments[DrumMachine::kTrackCount];
    std::string setup;

    explicit Documents(DrumMachine& source) {
        const std::string stem = "trommik2-concurrency-" + std::to_string(::getpid());
        kitFile = std::filesystem::temp_directory_path() / (stem + ".tm2kit");
        sampleFile = std::filesystem::temp_directory_path() / (stem + ".wav");
        StressSetup::writeSample(sampleFile.string());
        for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
            std::lock_guard<ProcessLock> lock(source.processLock());
            WavLoader::loadSample(sampleFile.string(), source.bank().voice(t).generator().sample());
        }
        source.drumkitDocument().saveDrumkitFile(kitFile.string());
        for (int t = 0; t < DrumMachine::kTrackCount; ++t)
            source.instrumentDocument().instrumentToText(t, instruments[t]);
        source.setupDocument().setupToText(setup);
    }
    ~Documents() {
        std::error_code ignored;
        std::filesystem::remove(kitFile, ignored);
        std::filesystem::remove(sampleFile, ignored);
    }
};

// One document or clipboard action of the track menus and browsers.
void documentEdit(DrumMachine& machine, const Documents& documents, std::mt19937& random) {
    const int track = static_cast<int>(random() % 16);
    const int other = static_cast<int>(random() % 16);
    TrackExchange& exchange = machine.trackExchange();
    switch (random() % 8) {
    case 0: machine.instrumentDocument().instrumentFromText(track, documents.instruments[other].c_str()); break;
    case 1: machine.drumkitDocument().loadDrumkitFile(documents.kitFile.string(), false); break;
    case 2: machine.setupDocument().setupFromText(documents.setup.c_str()); break;
    case 3: exchange.exchangeInstruments(track, other); break;
    case 4: exchange.copyInstrument(track); break;
    case 5: exchange.pasteInstrument(other); break;
    case 6: exchange.copyInstrumentAndTrackData(track); break;
    default: exchange.pasteInstrumentAndTrackData(other); break;
    }
}

// One random edit of the kinds the editor makes; true when it was a document action.
bool edit(DrumMachine& machine, const Documents& documents, std::mt19937& random) {
    auto uniform = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto unit = [&random] { return static_cast<float>(random() % 1001) / 1000.0f; };
    const int track = uniform(16);
    TrackPattern& pattern = machine.sequencer().track(track);
    char text[DrumMachine::kDisplayLength];
    switch (uniform(15)) {
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
    case 13:
        // Documents are slow next to a knob turn: one in eight of these.
        if (uniform(8) != 0)
            break;
        documentEdit(machine, documents, random);
        return true;
    default: machine.getParameterDisplay(uniform(kParameterCount), text); break;
    }
    return false;
}

} // namespace

TEST(Concurrency, RenderingWhileTheUserInterfaceEditsLoadsAndExchanges) {
    ScriptedDialogs dialogs;
    Dialogs::install(&dialogs);
    auto source = std::make_unique<DrumMachine>(nullptr);
    ASSERT_TRUE(StressSetup::apply(*source));
    const Documents documents(*source);
    ASSERT_FALSE(documents.setup.empty());
    ASSERT_TRUE(std::filesystem::exists(documents.kitFile));
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
    long documentEdits = 0;
    const auto end = std::chrono::steady_clock::now() + kDuration;
    while (std::chrono::steady_clock::now() < end) {
        documentEdits += edit(*machine, documents, random) ? 1 : 0;
        if (++edits % 64 == 0)
            std::this_thread::yield();
    }
    audio.stop = true;
    renderer.join();

    RecordProperty("edits", static_cast<int>(edits));
    RecordProperty("blocks", static_cast<int>(audio.blocks.load()));
    RecordProperty("documentEdits", static_cast<int>(documentEdits));
    EXPECT_TRUE(audio.finite.load());
    EXPECT_GT(audio.blocks.load(), 10);
    EXPECT_GT(edits, 100);
    EXPECT_GT(documentEdits, 5);
    for (const ScriptedDialogs::Shown& shown : dialogs.messages())
        ADD_FAILURE() << "a load complained: " << shown.text;
    Dialogs::install(nullptr);
}
