// The factory library as shipped: every file the generator writes loads with
// the documents' own readers and sounds, within the master section's headroom.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "FactoryLibrary.h"
#include "content/WavLoader.h"
#include "core/CoreTestSupport.h"
#include "support/FileSupport.h"

using namespace trommik2;

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
// Two bars at 120 BPM.
constexpr int kTwoBars = 4 * kRate;
// Audible, and clear of the soft clipper's top (an input of 1.0 comes out at 0.78).
constexpr double kAudible = 0.01;
constexpr double kHeadroom = 0.85;

// One library for the whole suite, written into a temporary content root.
class FactoryLibraryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder("factory-library");
        written_ = new std::vector<std::string>();
        std::string error;
        ok_ = FactoryLibrary::write(folder_->path().string(), written_, &error);
        EXPECT_TRUE(ok_) << error;
    }
    static void TearDownTestSuite() {
        delete written_;
        delete folder_;
    }
    void SetUp() override {
        ASSERT_TRUE(ok_);
        rig_.machine->contentFolders().setRoot(folder_->path().string());
        rig_.clearPattern();
    }

    static fs::path content(const char* kind) { return folder_->path() / "Trommik2" / kind; }
    // The written files of one extension, sorted.
    static std::vector<std::string> files(const std::string& extension) {
        std::vector<std::string> found;
        for (const std::string& path : *written_)
            if (fs::path(path).extension() == extension)
                found.push_back(path);
        std::sort(found.begin(), found.end());
        return found;
    }

    // One hit of a track from silence: the louder channel's samples.
    std::vector<float> hit(int track, int frames) {
        rig_.machine->suspend();
        rig_.machine->resume();
        rig_.position = 0;
        rig_.machine->renderer().requestTrigger(track, 1.0f);
        return louder(rig_.renderLeft(frames));
    }
    // A hit that may swell for a while (reversed samples) before it is loud.
    std::vector<float> swellingHit(int track) {
        std::vector<float> out = hit(track, kRate / 4);
        if (peak(out) < kAudible) {
            std::vector<float> more = louder(rig_.renderLeft(2 * kRate));
            out.insert(out.end(), more.begin(), more.end());
        }
        return out;
    }
    // The loaded pattern from its start.
    std::vector<float> play(int frames) {
        rig_.machine->suspend();
        rig_.machine->resume();
        rig_.position = 0;
        return louder(rig_.renderLeft(frames));
    }
    std::vector<float> louder(std::vector<float> left) const {
        return peak(left) >= peak(rig_.lastRight) ? left : rig_.lastRight;
    }

    DrumMachine& machine() { return *rig_.machine; }

    static TempFolder* folder_;
    static std::vector<std::string>* written_;
    static bool ok_;
    Rig rig_;
};

TempFolder* FactoryLibraryTest::folder_ = nullptr;
std::vector<std::string>* FactoryLibraryTest::written_ = nullptr;
bool FactoryLibraryTest::ok_ = false;

bool isEmptyInstrument(DrumMachine& m, int track) {
    return static_cast<int>(m.bank().value(track, GenSynthesisType)) == kNoSynthesis &&
           m.bank().track(track).samplePath == "No Sample";
}

// The templates for new and imported instruments are silent until they get a sample.
bool isSilentTemplate(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    return name == "EmptyInstrumentTemplate.tm2ins" || name == "AutoImportTemplate.tm2ins";
}

} // namespace

TEST_F(FactoryLibraryTest, WritesEveryKindWhereTheContentLibraryLooks) {
    std::set<std::string> inTree;
    for (const auto& entry : fs::recursive_directory_iterator(folder_->path()))
        if (entry.is_regular_file())
            inTree.insert(entry.path().string());
    std::set<std::string> listed(written_->begin(), written_->end());
    listed.insert((folder_->path() / FactoryLibrary::kManifest).string());
    EXPECT_EQ(inTree, listed);

    for (const char* t : {"EmptyInstrumentTemplate", "DefaultInstrumentTemplate", "AutoImportTemplate"})
        EXPECT_TRUE(fs::exists(content("config") / (std::string(t) + ".tm2ins"))) << t;
    EXPECT_TRUE(fs::exists(content("Setups") / "default.tm2set"));
    EXPECT_GE(files(".tm2drk").size(), 4u);
    EXPECT_GE(files(".tm2pat").size(), 12u);
    EXPECT_GE(files(".tm2set").size(), 5u);
    EXPECT_GE(files(".tm2ins").size(), 40u);
    EXPECT_GE(files(".wav").size(), 1u);
    for (const std::string& path : files(".tm2ins")) {
        const bool isTemplate = path.find("config") != std::string::npos;
        EXPECT_TRUE(isTemplate || fs::path(path).parent_path() != content("Instruments"))
            << path << " is not sorted by kind";
    }
}

TEST_F(FactoryLibraryTest, SamplesAreShortMonoWavFilesTheLoaderReads) {
    for (const std::string& path : files(".wav")) {
        const std::string bytes = readFile(path);
        ASSERT_GT(bytes.size(), 44u) << path;
        EXPECT_EQ(bytes[22], 1) << path << " is not mono";
        EXPECT_EQ(bytes[34], 16) << path << " is not 16-bit";
        WavLoader::Decoded wav = WavLoader::read(path);
        EXPECT_TRUE(wav.found) << path;
        EXPECT_GT(wav.frames, kRate / 20) << path;
        EXPECT_LE(wav.frames, 3 * kRate) << path;
    }
}

TEST_F(FactoryLibraryTest, EveryInstrumentLoadsAndSounds) {
    for (const std::string& path : files(".tm2ins")) {
        ASSERT_TRUE(machine().instrumentDocument().loadInstrumentFile(0, path, false)) << path;
        const std::vector<float> out = hit(0, kRate);
        EXPECT_TRUE(allFinite(out)) << path;
        EXPECT_LT(peak(out), kHeadroom) << path;
        if (isSilentTemplate(path)) {
            EXPECT_LT(peak(out), 1e-6) << path;
        } else {
            EXPECT_GT(peak(out), kAudible) << path;
        }
    }
}

TEST_F(FactoryLibraryTest, InstrumentsThatPlaySamplesFindThem) {
    int players = 0;
    for (const std::string& path : files(".tm2ins")) {
        ASSERT_TRUE(machine().instrumentDocument().loadInstrumentFile(0, path, false)) << path;
        if (machine().bank().value(0, GenMixSynthesisWav) < 0.5f || path.find("config") != std::string::npos)
            continue;
        ++players;
        EXPECT_GT(machine().bank().voice(0).generator().sample().frameCount(), 0) << path;
    }
    EXPECT_GE(players, 1);
}

TEST_F(FactoryLibraryTest, EveryKitTrackSounds) {
    for (const std::string& path : files(".tm2drk")) {
        ASSERT_TRUE(machine().drumkitDocument().loadDrumkitFile(path, false)) << path;
        for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
            if (isEmptyInstrument(machine(), t))
                continue;
            const std::vector<float> out = swellingHit(t);
            EXPECT_TRUE(allFinite(out)) << path << " track " << t;
            EXPECT_GT(peak(out), kAudible) << path << " track " << t;
            EXPECT_LT(peak(out), kHeadroom) << path << " track " << t;
        }
    }
}

TEST_F(FactoryLibraryTest, EveryPatternGroovesWithTheDefaultKit) {
    const std::string setup = (content("Setups") / "default.tm2set").string();
    for (const std::string& path : files(".tm2pat")) {
        ASSERT_TRUE(machine().setupDocument().loadSetupFile(setup, false));
        ASSERT_TRUE(machine().patternDocument().loadPatternFile(path, false)) << path;
        const std::vector<float> out = play(kTwoBars);
        EXPECT_TRUE(allFinite(out)) << path;
        EXPECT_GT(peak(out), 0.1) << path;
        EXPECT_LT(peak(out), kHeadroom) << path;
    }
}

TEST_F(FactoryLibraryTest, EverySetupPlaysWithinTheHeadroom) {
    for (const std::string& path : files(".tm2set")) {
        ASSERT_TRUE(machine().setupDocument().loadSetupFile(path, false)) << path;
        const std::vector<float> out = play(kTwoBars);
        EXPECT_TRUE(allFinite(out)) << path;
        EXPECT_GT(peak(out), 0.1) << path;
        EXPECT_LT(peak(out), kHeadroom) << path;
    }
}

TEST_F(FactoryLibraryTest, DefaultSetupIsAGrooveOnSeveralTracks) {
    ASSERT_TRUE(machine().setupDocument().loadSetupFile((content("Setups") / "default.tm2set").string(), false));
    EXPECT_EQ(machine().model().setupName(), "default");
    int playing = 0;
    int velocities = 0;
    std::set<int> levels;
    for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
        const TrackPattern& track = machine().sequencer().track(t);
        playing += track.hasSteps() ? 1 : 0;
        for (int slot = 0; slot < Sequencer::kSlotCount; ++slot)
            if (track.velocity(slot) > 0)
                levels.insert(track.velocity(slot)), ++velocities;
    }
    EXPECT_GE(playing, 6);
    EXPECT_GE(velocities, 64);
    EXPECT_GE(levels.size(), 4u) << "accents and ghost notes";
    bool automated = false;
    for (int t = 0; t < DrumMachine::kTrackCount; ++t)
        automated = automated || machine().sequencer().track(t).hasAnyAutomation();
    EXPECT_TRUE(automated || machine().sequencer().shuffle() > 0);

    // Every track with steps, soloed, reaches the output over the whole pattern.
    const int frames = machine().sequencer().bars() * 2 * kRate;
    for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
        if (!machine().sequencer().track(t).hasSteps())
            continue;
        machine().setParameter(10044 + t, 1.0f);
        EXPECT_GT(peak(play(frames)), kAudible) << "track " << t;
        machine().setParameter(10044 + t, 0.0f);
    }
}

TEST_F(FactoryLibraryTest, AutoImportTemplatePlaysASampleAsItIs) {
    // A sample with little below the master section's 35 Hz high-pass.
    const std::string sample = (content("Samples") / "Factory" / "Snare.wav").string();
    ASSERT_TRUE(machine().instrumentDocument().loadInstrumentFile(
        0, (content("config") / "AutoImportTemplate.tm2ins").string(), true));
    WavLoader::Decoded wav = WavLoader::read(sample);
    ASSERT_TRUE(wav.found);
    std::vector<float> expected(wav.samples.get(), wav.samples.get() + wav.frames);
    ASSERT_TRUE(WavLoader::install(wav, machine().bank().voice(0).generator().sample()));
    // Far below the soft clipper: with the centre pan's -6 dB, 12 dB down in all.
    machine().bank().masterVolume = 0.5f;
    const std::vector<float> out = hit(0, static_cast<int>(expected.size()));
    // The player interpolates from the second frame on: compare at the best of a few lags.
    double best = -1.0, level = 0.0;
    for (size_t lag = 0; lag <= 2; ++lag) {
        double product = 0, energyOut = 0, energyIn = 0;
        for (size_t i = 0; i + lag < expected.size(); ++i) {
            product += static_cast<double>(out[i]) * expected[i + lag];
            energyOut += static_cast<double>(out[i]) * out[i];
            energyIn += static_cast<double>(expected[i + lag]) * expected[i + lag];
        }
        if (product / std::sqrt(energyOut * energyIn) > best) {
            best = product / std::sqrt(energyOut * energyIn);
            level = 10.0 * std::log10(energyOut / energyIn);
        }
    }
    EXPECT_GT(best, 0.99) << "the waveform is kept";
    EXPECT_NEAR(level, -12.0, 1.0) << "the level is kept";
}

TEST_F(FactoryLibraryTest, DefaultTemplateIsTheFactoryInstrument) {
    Rig fresh;
    ASSERT_TRUE(machine().instrumentDocument().loadInstrumentFile(
        5, (content("config") / "DefaultInstrumentTemplate.tm2ins").string(), true));
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_FLOAT_EQ(machine().bank().value(5, i), fresh.machine->bank().value(0, i))
            << machine().bank().table().key(i);
}

TEST_F(FactoryLibraryTest, RewritingRemovesOnlyWhatAnEarlierRunWrote) {
    TempFolder root("factory-rewrite");
    std::string error;
    ASSERT_TRUE(FactoryLibrary::write(root.path().string(), nullptr, &error)) << error;
    const fs::path stale = root.path() / "Trommik2" / "Patterns" / "Old.tm2pat";
    const fs::path users = root.path() / "Trommik2" / "Patterns" / "Mine.tm2pat";
    writeFile(stale.string(), "old");
    writeFile(users.string(), "mine");
    std::ofstream(root.path() / FactoryLibrary::kManifest, std::ios::app) << "Trommik2/Patterns/Old.tm2pat\n";

    ASSERT_TRUE(FactoryLibrary::write(root.path().string(), nullptr, &error)) << error;
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(users));
    EXPECT_EQ(readFile((root.path() / FactoryLibrary::kManifest).string()).find("Old"), std::string::npos);
}
