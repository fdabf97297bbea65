// What the factory instruments and the effects sound like inside a drum machine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "CoreTestSupport.h"

using namespace trommik2;

namespace {

constexpr int kRate = 44100;

// A rig with an empty pattern: only what the test triggers sounds.
struct QuietRig : Rig {
    QuietRig() { clearPattern(); }
    std::vector<float> hit(int track, int frames) {
        machine->renderer().requestTrigger(track, 1.0f);
        return renderLeft(frames);
    }
    void set(int track, int index, float value) { machine->bank().setValue(track, index, value); }
};

double energy(const std::vector<float>& x, size_t from, size_t to) {
    double e = 0.0;
    for (size_t i = from; i < to && i < x.size(); ++i)
        e += static_cast<double>(x[i]) * x[i];
    return e;
}

void writeMonoWav(const std::string& path, const std::vector<int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    auto word = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    word(36 + data, 4);
    out.write("WAVEfmt ", 8);
    word(16, 4);
    word(1, 2);
    word(1, 2);
    word(kRate, 4);
    word(kRate * 2, 4);
    word(2, 2);
    word(16, 2);
    out.write("data", 4);
    word(data, 4);
    for (int16_t s : samples)
        word(static_cast<uint16_t>(s), 2);
}

} // namespace

TEST(FactoryInstruments, KickAndSnareHitAndDieAwayWithinTheirDecay) {
    struct Case {
        int track;
        double seconds;
    };
    for (Case c : {Case{0, 3.4}, Case{1, 1.0}}) {
        QuietRig rig;
        std::vector<float> out = rig.hit(c.track, static_cast<int>(c.seconds * kRate));
        double top = peak(out);
        EXPECT_TRUE(allFinite(out)) << c.track;
        EXPECT_GT(top, 0.1) << c.track;
        EXPECT_LT(top, 1.0) << c.track;
        size_t last = out.size() - kRate / 10;
        EXPECT_LT(peak(out, last, out.size()), 0.01 * top) << "track " << c.track << " is near silence";
    }
}

TEST(FactoryInstruments, ModelledAndFmTracksRingAndDecay) {
    for (int track : {2, 3, 4}) {
        QuietRig rig;
        std::vector<float> out = rig.hit(track, 2 * kRate);
        EXPECT_TRUE(allFinite(out)) << track;
        EXPECT_GT(peak(out), 0.01) << track;
        double early = energy(out, 0, out.size() / 4);
        double late = energy(out, 3 * out.size() / 4, out.size());
        EXPECT_LT(late, 0.1 * early) << "track " << track << " decays";
    }
}

TEST(FactoryInstruments, SnareRoomReverbOutlastsTheDryHit) {
    QuietRig wet;
    QuietRig dry;
    dry.set(1, FXActive, 0.0f);
    std::vector<float> withReverb = wet.hit(1, kRate);
    std::vector<float> withoutReverb = dry.hit(1, kRate);
    size_t tail = kRate / 2;
    EXPECT_GT(energy(withReverb, tail, withReverb.size()), 10.0 * energy(withoutReverb, tail, withoutReverb.size()));
}

TEST(FactoryInstruments, BellRepeatsThroughItsStereoDelayAtTheMappedTimes) {
    QuietRig rig;
    rig.set(4, EnvDecay, 20.0f); // a short dry hit, so the echoes stand apart
    rig.set(4, FXParam4, 1.0f);
    rig.machine->renderer().requestTrigger(4, 1.0f);
    std::vector<float> left = rig.renderLeft(kRate);
    std::vector<float> right = rig.lastRight;
    // Left 0.2 -> step 12 x 0.8 = 9.6 -> 10, as its label "1/16" says: 0.25 beats = 5512.5 samples.
    // Right 0.45 -> step 6.6 -> 7, "1/8": 0.5 beats; the right line hears the left line (ping-pong).
    const double leftEcho = 0.25 * 0.5 * kRate;
    const double rightEcho = leftEcho + 0.5 * 0.5 * kRate;
    std::vector<size_t> leftHits = onsets(left, 0.005);
    std::vector<size_t> rightHits = onsets(right, 0.005);
    ASSERT_GE(leftHits.size(), 2u) << ::testing::PrintToString(leftHits);
    ASSERT_GE(rightHits.size(), 2u) << ::testing::PrintToString(rightHits);
    EXPECT_NEAR(static_cast<double>(leftHits[1]), leftEcho, 64.0);
    EXPECT_NEAR(static_cast<double>(rightHits[1]), rightEcho, 64.0);
}

TEST(SampleCommand, TheLoadedSamplePlaysAtEveryStep) {
    auto path = std::filesystem::temp_directory_path() / ("trommik2-sample-" + std::to_string(::getpid()) + ".wav");
    std::vector<int16_t> samples(4000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(3000.0 * std::cos(2.0 * M_PI * 1000.0 * static_cast<double>(i) / kRate));
    writeMonoWav(path.string(), samples);

    QuietRig rig;
    rig.machine->setParameter(10001, 0.0f);
    EXPECT_FALSE(rig.machine->command(10027, 0, path.c_str(), 0, 0));
    EXPECT_EQ(rig.machine->bank().track(0).samplePath, path.string());
    // A transparent chain: only the sample at full level, no filter, and the physical
    // model as synthesis type, whose voices do not multiply the envelope a second time.
    for (auto [index, value] : {std::pair{GenSynthesisType, 2.0f},
                                {GenMixSynthesisWav, 1.0f},
                                {GenWavLevel, 1.0f},
                                {FilterType, 0.0f},
                                {EnvDecay, 20000.0f},
                                {OutLevelDB, 0.0f},
                                {GenWavShapeAmpEnv, 1.0f}})
        rig.set(0, index, value);
    rig.machine->setParameter(10000, 0.875f); // master at 0 dB
    rig.machine->bank().voice(0).reset();
    for (int slot : {0, 16})
        rig.machine->sequencer().track(0).setStep(slot, 127);
    std::vector<float> left = rig.renderLeft(2 * 16 * 2756);
    std::vector<size_t> starts = onsets(left, 0.02);
    ASSERT_EQ(starts.size(), 2u) << ::testing::PrintToString(starts);
    for (size_t k = 0; k < 2; ++k) {
        // The second hit fades the still-open envelope out before the sample restarts.
        EXPECT_GE(starts[k] + 64, k * 16 * 2756);
        EXPECT_LT(starts[k], k * 16 * 2756 + 2000);
        double worst = 0.0;
        for (size_t i = 0; i < 3000; ++i) {
            // The interpolation reads frames j .. j + 3 and plays between j + 1 and j + 2;
            // a centred pan gives each side half.
            double expected = 0.5 * samples[i + 1] / 32767.0;
            worst = std::fmax(worst, std::fabs(left[starts[k] + i] - expected));
        }
        EXPECT_LT(worst, 0.003) << "hit " << k << " plays the file's samples";
    }
    EXPECT_TRUE(rig.machine->command(10027, 0, nullptr, 1, -1));
    EXPECT_EQ(rig.machine->bank().track(0).samplePath, "No Sample");
    EXPECT_EQ(rig.machine->bank().voice(0).generator().sample().frameCount(), 0);
    std::filesystem::remove(path);
}
