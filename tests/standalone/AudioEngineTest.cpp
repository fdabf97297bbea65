// The audio callback with the built module: MIDI notes start their track on
// their own frame of the buffer.
#include <gtest/gtest.h>

#include <trommik2/control_ids.h>
#include <trommik2/effect_record.h>

#include <cmath>
#include <vector>

#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "apps/standalone/AudioEngine.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 256;
constexpr int64_t kStart = 1000000000;
constexpr int64_t kPeriod = int64_t{kFrames} * 1000000000 / kRate;

class AudioEngineTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(module_.load(TROMMIK2_MODULE_PATH, &error)) << error;
        instance_ = std::make_unique<HostInstance>(module_.entry(), kRate, 120.0f);
        ASSERT_TRUE(instance_->open());
        instance_->render(nullptr, kFrames, 0);
        AudioEngine::Settings settings;
        settings.maxFrames = kFrames;
        engine_ = std::make_unique<AudioEngine>(*instance_, settings, &midi_, nullptr);
    }

    // Two callbacks: the note arrives during the first and plays in the second,
    // whose output is returned (left channel).
    std::vector<float> playNote(int note, int velocity, int frame) {
        std::vector<float> out(2 * kFrames);
        engine_->process(out.data(), kFrames, false, kStart);
        MidiEvent event;
        event.nanoseconds = kStart + (int64_t{frame} * 1000000000 + kRate - 1) / kRate;
        event.size = 3;
        event.bytes[0] = 0x99;
        event.bytes[1] = static_cast<uint8_t>(note);
        event.bytes[2] = static_cast<uint8_t>(velocity);
        midi_.push(event);
        engine_->process(out.data(), kFrames, false, kStart + kPeriod);
        std::vector<float> left(kFrames);
        for (int i = 0; i < kFrames; ++i)
            left[static_cast<size_t>(i)] = out[static_cast<size_t>(2 * i)];
        return left;
    }

    static int firstSound(const std::vector<float>& x) {
        for (size_t i = 0; i < x.size(); ++i)
            if (std::fabs(x[i]) > 1e-4f)
                return static_cast<int>(i);
        return -1;
    }

    static float peak(const std::vector<float>& x) {
        float p = 0.0f;
        for (float v : x)
            p = std::fmax(p, std::fabs(v));
        return p;
    }

    ModuleLoader module_;
    std::unique_ptr<HostInstance> instance_;
    SpscQueue<MidiEvent> midi_{64};
    std::unique_ptr<AudioEngine> engine_;
};

TEST_F(AudioEngineTest, ANoteStartsItsTrackOnItsFrame) {
    struct Case {
        int note;
        int frame;
    };
    for (Case c : {Case{36, 0}, Case{36, 100}, Case{36, 101}, Case{38, 37}, Case{36, 250}}) {
        SetUp();
        SCOPED_TRACE(testing::Message() << "note " << c.note << " at frame " << c.frame);
        // The hit starts on its frame, from silence: its first sample may still be 0.
        const int first = firstSound(playNote(c.note, 127, c.frame));
        EXPECT_GE(first, c.frame);
        EXPECT_LE(first, c.frame + 4);
    }
}

TEST_F(AudioEngineTest, VelocityAndTheTrackOfTheNoteReachTheModule) {
    const float loud = peak(playNote(36, 127, 0));
    SetUp();
    const float soft = peak(playNote(36, 40, 0));
    EXPECT_GT(loud, 1.5f * soft);
    SetUp();
    auto* effect = static_cast<AEffect*>(instance_->context().plugin);
    effect->setParameter(effect, kParamMuteFirst + 0, 1.0f);
    EXPECT_EQ(firstSound(playNote(36, 127, 0)), -1) << "note 36 plays track 0, which is muted";
    SetUp();
    effect = static_cast<AEffect*>(instance_->context().plugin);
    effect->setParameter(effect, kParamMuteFirst + 0, 1.0f);
    EXPECT_LE(firstSound(playNote(37, 127, 0)), 4) << "note 37 plays track 1";
}

} // namespace
