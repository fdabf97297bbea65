// The saved state as a validator tries it at the entry point: loads while
// another instance (or the same one) renders, texts no host should send, and
// random settings surviving a save, a load into a new instance and a save again.
#include <gtest/gtest.h>
#include <trommik2/control_ids.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>

#include "ModuleHost.h"

namespace {

constexpr int kTracks = 16;
constexpr int kParameters = 59;

// Renders one instance on a thread of its own until stopped.
class BackgroundRender {
  public:
    BackgroundRender(ModuleHost& host, HostContext& context)
        : thread_([this, &host, &context] {
              std::vector<float> buffer;
              while (!stop_) {
                  host.render(context, 256, buffer);
                  clean_ = clean_ && clean(buffer);
                  ++blocks_;
              }
          }) {}
    ~BackgroundRender() { finish(); }
    BackgroundRender(const BackgroundRender&) = delete;
    BackgroundRender& operator=(const BackgroundRender&) = delete;

    void finish() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    bool allClean() const { return clean_; }
    long blocks() const { return blocks_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> clean_{true};
    std::atomic<long> blocks_{0};
    std::thread thread_;
};

// Every parameter of every track and the master volume set at random.
void randomise(const HostContext& c, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int t = 0; t < kTracks; ++t) {
        ModuleHost::setParameter(c, kParamSelectTrack, static_cast<float>(t));
        for (int p = 0; p < kParameters; ++p)
            ModuleHost::setParameter(c, p, unit(random));
    }
    ModuleHost::setParameter(c, kParamMasterVolume, unit(random));
}

std::string randomBytes(size_t count, std::mt19937& random, bool withZeros) {
    std::string bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(withZeros ? random() & 0xFF : 1 + random() % 255);
    return bytes;
}

} // namespace

TEST(StateAtTheBoundary, LoadsWhileAnotherInstanceAndTheSameOneRender) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    HostContext playing = ModuleHost::context();
    HostContext loading = ModuleHost::context();
    ASSERT_EQ(host.entry(1, &playing), 1);
    ASSERT_EQ(host.entry(1, &loading), 1);
    host.entry(8, &playing);
    std::mt19937 random(7);
    randomise(loading, random);
    const std::string edited = saveText(host.entry, loading);
    const std::string factory = saveText(host.entry, playing);
    ASSERT_FALSE(edited.empty());
    {
        BackgroundRender audio(host, playing);
        for (int i = 0; i < 20; ++i) {
            const std::string& text = i % 2 ? factory : edited;
            ASSERT_EQ(loadText(host.entry, loading, text), 1);
            EXPECT_EQ(saveText(host.entry, loading), text);
            // A host restoring a project while the transport runs.
            ASSERT_EQ(loadText(host.entry, playing, text), 1);
        }
        while (audio.blocks() < 20)
            std::this_thread::yield();
        audio.finish();
        EXPECT_TRUE(audio.allClean());
    }
    EXPECT_EQ(saveText(host.entry, playing), factory) << "the last text loaded";
    EXPECT_EQ(host.entry(2, &playing), 1);
    EXPECT_EQ(host.entry(2, &loading), 1);
}

TEST(StateAtTheBoundary, TextsNoHostShouldSendAreRefusedAndChangeNothing) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    HostContext c = ModuleHost::context();
    ASSERT_EQ(host.entry(1, &c), 1);
    const std::string before = saveText(host.entry, c);
    std::mt19937 random(3);
    EXPECT_EQ(loadText(host.entry, c, ""), 0) << "empty text";
    EXPECT_EQ(loadText(host.entry, c, randomBytes(3 << 20, random, true)), 0) << "3 MB of random bytes";
    EXPECT_EQ(loadText(host.entry, c, randomBytes(3 << 20, random, false)), 0) << "3 MB without a zero byte";
    EXPECT_EQ(loadText(host.entry, c, "<setup>" + randomBytes(3 << 20, random, false)), 0)
        << "a setup element that never ends";
    EXPECT_EQ(saveText(host.entry, c), before);
    std::vector<float> audio;
    host.entry(8, &c);
    EXPECT_EQ(host.render(c, 512, audio), 1);
    EXPECT_TRUE(clean(audio));
    EXPECT_EQ(host.entry(2, &c), 1);
}

TEST(StateAtTheBoundary, RandomSettingsSaveLoadAndSaveAgainByteIdentical) {
    ModuleHost host;
    ASSERT_NE(host.entry, nullptr);
    std::mt19937 random(2027);
    for (int round = 0; round < 5; ++round) {
        HostContext original = ModuleHost::context();
        HostContext copy = ModuleHost::context();
        ASSERT_EQ(host.entry(1, &original), 1);
        ASSERT_EQ(host.entry(1, &copy), 1);
        randomise(original, random);
        const std::string saved = saveText(host.entry, original);
        ASSERT_FALSE(saved.empty());
        ASSERT_EQ(loadText(host.entry, copy, saved), 1);
        EXPECT_EQ(saveText(host.entry, copy), saved) << "round " << round;
        EXPECT_EQ(host.entry(2, &original), 1);
        EXPECT_EQ(host.entry(2, &copy), 1);
    }
}
