#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <trommik2/control_ids.h>

#include "Lv2TestHost.h"
#include "common/SignalAnalysis.h"
#include "core/DrumMachine.h"
#include "lv2/Lv2Plugin.h"

namespace trommik2::lv2 {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kQuarter = kRate / 2; // at 120 BPM
// A hit sounds from the start of the control block that holds its moment, and
// rises over a few samples before the onset detector sees it.
constexpr int kOnsetSlack = 64 + 40;

class Lv2PluginTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.plugin()) << "the bundle is not found";
        folder = fs::temp_directory_path() / ("trommik2-lv2-" + std::to_string(getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The transport at 120 BPM rolling from the top of bar 1.
    static void rollFromTop(Lv2TestInstance& instance) { instance.transport(0, 1.0f, 120.0f, 0, 0.0f); }

    Lv2TestHost host;
    fs::path folder;
};

TEST_F(Lv2PluginTest, TheDefaultGroovePlaysInTimeWithTheHostsTempo) {
    Lv2TestInstance instance(host);
    ASSERT_TRUE(instance.valid());
    rollFromTop(instance);
    instance.render(4 * kRate, 512);
    // The kick (track 1) of House\Groove is on every quarter note: eight in 4 s.
    const std::vector<size_t> kicks = onsets(instance.track(0, 0));
    ASSERT_EQ(kicks.size(), 8u);
    for (size_t k = 0; k < kicks.size(); ++k)
        EXPECT_NEAR(static_cast<double>(kicks[k]), static_cast<double>(k * kQuarter), kOnsetSlack) << "kick " << k;
    // The main pair carries the mix, the kick among it.
    EXPECT_GT(peak(instance.left(), 0, 2000), 0.1);
    EXPECT_TRUE(allFinite(instance.left()) && allFinite(instance.right()));
}

TEST_F(Lv2PluginTest, AStoppedTransportLetsTheTailsRingOutIntoSilence) {
    Lv2TestInstance instance(host);
    rollFromTop(instance);
    instance.render(2 * kRate, 256);
    instance.clearOutputs();
    instance.transport(100, 0.0f, 120.0f, 1, 0.0f);
    instance.render(8 * kRate, 256);
    const std::vector<float>& out = instance.left();
    EXPECT_GT(peak(out, 0, 100), 1e-3) << "something sounded when the transport stopped";
    for (int t = 0; t < kTrackCount; ++t)
        for (size_t onset : onsets(instance.track(t, 0), 1e-3))
            EXPECT_LT(onset, 100u + kOnsetSlack) << "track " << t + 1 << " was hit after the stop";
    EXPECT_LT(peak(out, out.size() - kRate), 1e-5);
}

TEST_F(Lv2PluginTest, NotesFromTheBaseNoteUpHitTheirTracks) {
    Lv2TestInstance instance(host);
    instance.render(512, 512); // transport standing
    instance.clearOutputs();
    instance.note(300, 36, 127);
    instance.render(kRate, 512);
    const std::vector<size_t> hits = onsets(instance.track(0, 0));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_GE(hits[0], 300u - 63u);
    EXPECT_LE(hits[0], 300u + kOnsetSlack);
    EXPECT_EQ(peak(instance.track(1, 0)), 0.0) << "only the kick was hit";
    EXPECT_GT(peak(instance.left()), 0.05);

    // Another base note moves the map; velocity 0 is a note-off.
    instance.setControl(kBaseNote, 60);
    instance.clearOutputs();
    instance.note(0, 61, 100);
    instance.note(10, 62, 0);
    instance.note(20, 36, 100);
    instance.render(kRate / 2, 512);
    EXPECT_EQ(onsets(instance.track(1, 0)).size(), 1u);
    EXPECT_EQ(peak(instance.track(2, 0)), 0.0);
    EXPECT_EQ(onsets(instance.track(0, 0)).size(), 0u);
}

// Any way a host cuts its blocks gives the same audio, bit for bit.
TEST_F(Lv2PluginTest, EveryBlockSizeRendersTheSameAudio) {
    auto renderWith = [this](int block) {
        Lv2TestInstance instance(host);
        rollFromTop(instance);
        instance.note(0, 40, 90);
        instance.render(3 * kRate, block);
        std::vector<float> all = instance.left();
        all.insert(all.end(), instance.right().begin(), instance.right().end());
        all.insert(all.end(), instance.track(4, 1).begin(), instance.track(4, 1).end());
        return all;
    };
    const std::vector<float> reference = renderWith(64);
    ASSERT_GT(peak(reference), 0.1);
    for (int block : {1, 17, 2027, 8192})
        EXPECT_TRUE(renderWith(block) == reference) << "blocks of " << block;
}

// Writes a mono 16-bit WAV file of a decaying tone.
void writeTone(const fs::path& path) {
    const int frames = kRate / 4;
    std::vector<int16_t> samples(frames);
    for (int i = 0; i < frames; ++i)
        samples[i] = static_cast<int16_t>(20000.0 * std::exp(-i / 2000.0) * std::sin(i * 0.05));
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF" << u32(36 + bytes) << "WAVEfmt " << u32(16) << u16(1) << u16(1) << u32(kRate) << u32(kRate * 2)
        << u16(2) << u16(16) << "data" << u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
}

// A project saved by a host, moved to another folder without the sample's
// original file, and reopened plays exactly what the instance it came from plays.
TEST_F(Lv2PluginTest, ASavedProjectReopensElsewhereBitIdentical) {
    Lv2TestInstance original(host);
    const LilvNode* preset = host.preset("TechnoWarehouse");
    ASSERT_TRUE(preset);
    LilvState* presetState = lilv_state_new_from_world(host.world(), host.mapFeature(), preset);
    original.restore(presetState);
    lilv_state_free(presetState);
    EXPECT_EQ(original.plugin().machine().model().setupName(), "TechnoWarehouse");
    original.render(64, 64);
    // Parameter ports write into the target track when they move, the effect
    // type through the worker.
    original.setControl(kTargetTrack, 3);
    original.setControl(kFirstParameter + GenNoiseFreq1, 0.3f);
    original.setControl(kFirstParameter + FXType, original.control(kFirstParameter + FXType) + 0.3f);
    original.setControl(kMasterVolume, -3.0f);
    original.render(64, 64);
    const fs::path sample = folder / "own" / "tone.wav";
    fs::create_directories(sample.parent_path());
    writeTone(sample);
    DrumMachine& machine = original.plugin().machine();
    machine.setParameter(kParamSelectTrack, 5.0f);
    ASSERT_TRUE(machine.command(kControlSampleMenu, 0, sample.c_str(), 1, 0));
    ASSERT_TRUE(original.saveState((folder / "saved").string()));

    fs::rename(folder / "saved", folder / "moved");
    fs::remove_all(folder / "own");
    LilvState* reopened = host.loadState((folder / "moved").string());
    ASSERT_TRUE(reopened);
    Lv2TestInstance copy(host);
    copy.restore(reopened);
    lilv_state_free(reopened);
    const std::string copied = copy.plugin().machine().bank().track(5).samplePath;
    EXPECT_EQ(fs::path(copied).parent_path().parent_path(), folder / "moved") << copied;

    Lv2TestInstance fresh(host);
    std::vector<float> out[3];
    Lv2TestInstance* instances[3] = {&original, &copy, &fresh};
    original.reset();
    for (int i = 0; i < 3; ++i) {
        instances[i]->clearOutputs();
        rollFromTop(*instances[i]);
        instances[i]->note(0, 36 + 5, 127);
        instances[i]->render(4 * kRate, 512);
        out[i] = instances[i]->left();
    }
    EXPECT_TRUE(out[1] == out[0]);
    EXPECT_FALSE(out[2] == out[0]) << "the state made no difference";
}

TEST_F(Lv2PluginTest, EveryFactorySetupIsAPreset) {
    std::vector<std::string> labels = host.presetLabels();
    std::vector<std::string> setups;
    for (const auto& entry : fs::directory_iterator(fs::path(TROMMIK2_LV2_BUNDLE) / "Trommik2" / "Setups"))
        setups.push_back(entry.path().stem().string());
    std::sort(labels.begin(), labels.end());
    std::sort(setups.begin(), setups.end());
    EXPECT_EQ(labels, setups);
}

} // namespace
} // namespace trommik2::lv2
