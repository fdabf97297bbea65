#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <content/WavLoader.h>
#include <engine/SampleModule.h>
#include <platform/ScriptedDialogs.h>

using namespace trommik2;

namespace {

void putLittle(std::string& s, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string chunk(const std::string& id, const std::string& body) {
    std::string s = id;
    putLittle(s, static_cast<uint32_t>(body.size()), 4);
    s += body;
    if (body.size() & 1)
        s += '\0';
    return s;
}

std::string formatChunk(int channels, int bits) {
    std::string body;
    putLittle(body, 1, 2); // PCM
    putLittle(body, static_cast<uint32_t>(channels), 2);
    putLittle(body, 44100, 4);
    putLittle(body, static_cast<uint32_t>(44100 * channels * bits / 8), 4);
    putLittle(body, static_cast<uint32_t>(channels * bits / 8), 2);
    putLittle(body, static_cast<uint32_t>(bits), 2);
    return chunk("fmt ", body);
}

std::string words(const std::vector<int16_t>& values) {
    std::string s;
    for (int16_t v : values)
        putLittle(s, static_cast<uint16_t>(v), 2);
    return s;
}

std::string riff(const std::string& form, const std::string& chunks) {
    std::string s = "RIFF";
    putLittle(s, static_cast<uint32_t>(4 + chunks.size()), 4);
    return s + form + chunks;
}

std::string wave(int channels, const std::vector<int16_t>& values, const std::string& between = "") {
    return riff("WAVE", formatChunk(channels, 16) + between + chunk("data", words(values)));
}

// Values covering both extremes and a spread in between.
std::vector<int16_t> spread(size_t n, int salt) {
    std::vector<int16_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<int16_t>((static_cast<int>(i) * 7919 + salt) % 65536 - 32768);
    v[0] = -32768;
    v[1] = 32767;
    return v;
}

// The chunk walk of a real file, read here without the loader's code: channel
// count and the data bytes the file holds.
struct Header {
    int channels = 0;
    size_t dataBytes = 0;
};

Header readHeader(const std::string& bytes) {
    Header h;
    auto word = [&](size_t at) {
        return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
                                     static_cast<uint8_t>(bytes[at + 2]) << 16 |
                                     static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24);
    };
    for (size_t at = 12; at + 8 <= bytes.size();) {
        std::string id = bytes.substr(at, 4);
        uint32_t size = word(at + 4);
        if (id == "fmt ")
            h.channels = static_cast<uint8_t>(bytes[at + 10]) | static_cast<uint8_t>(bytes[at + 11]) << 8;
        if (id == "data") {
            h.dataBytes = std::min<size_t>(size, bytes.size() - at - 8);
            break;
        }
        at += 8 + size + (size & 1);
    }
    return h;
}

class WavLoaderTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("wavloader-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        Dialogs::install(&dialogs_);
    }
    void TearDown() override {
        Dialogs::install(nullptr);
        std::filesystem::remove_all(folder_);
    }

    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // A player holding a three-frame sample, to see whether a load keeps it.
    void preload(SampleModule& player) {
        ASSERT_TRUE(WavLoader::loadSample(write("previous.wav", wave(1, {100, 200, 300})), player));
        ASSERT_EQ(player.frameCount(), 3);
    }

    void expectOnlyMessage(const std::string& text) {
        ASSERT_EQ(dialogs_.messages().size(), 1u) << text;
        const ScriptedDialogs::Shown& shown = dialogs_.messages()[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.caption, "Trommik 2");
        EXPECT_EQ(shown.icon, MessageIcon::Stop);
        EXPECT_FALSE(shown.yesNo);
        dialogs_.clear();
    }

    std::filesystem::path folder_;
    ScriptedDialogs dialogs_;
};

} // namespace

TEST_F(WavLoaderTest, MonoWordsAreScaledBy32767) {
    std::vector<int16_t> values = spread(1000, 11);
    SampleModule player;
    ASSERT_TRUE(WavLoader::loadSample(write("mono.wav", wave(1, values)), player));
    ASSERT_EQ(player.frameCount(), 1000);
    EXPECT_EQ(player.data()[0], -32768.0f / 32767.0f) << "the file's first sample comes first";
    EXPECT_EQ(player.data()[1], 1.0f);
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_FLOAT_EQ(player.data()[i], values[i] / 32767.0f) << i;
    for (int i = 0; i < SampleModule::kTail; ++i)
        EXPECT_EQ(player.data()[1000 + i], 0.0f);
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(WavLoaderTest, StereoFramesAreAveraged) {
    std::vector<int16_t> values = spread(2000, 5);
    values[0] = values[1] = 32767;
    values[2] = values[3] = -32768;
    SampleModule player;
    ASSERT_TRUE(WavLoader::loadSample(write("stereo.wav", wave(2, values)), player));
    ASSERT_EQ(player.frameCount(), 1000);
    EXPECT_EQ(player.data()[0], 1.0f);
    for (size_t i = 0; i < 1000; ++i)
        ASSERT_FLOAT_EQ(player.data()[i], (values[2 * i] + values[2 * i + 1]) / 65534.0f) << i;
}

TEST_F(WavLoaderTest, ChunksBetweenFormatAndDataAreSkipped) {
    std::string list = chunk("LIST", "INFO" + chunk("INAM", "odd"));
    SampleModule player;
    ASSERT_TRUE(WavLoader::loadSample(write("list.wav", wave(1, {1000, -1000, 7}, list)), player));
    ASSERT_EQ(player.frameCount(), 3);
    EXPECT_FLOAT_EQ(player.data()[2], 7.0f / 32767.0f);
}

TEST_F(WavLoaderTest, AnEmptyDataChunkKeepsThePreviousSample) {
    SampleModule player;
    preload(player);
    const float* before = player.data();
    EXPECT_TRUE(WavLoader::loadSample(write("empty.wav", wave(1, {})), player));
    EXPECT_EQ(player.frameCount(), 3);
    EXPECT_EQ(player.data(), before);
    EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(WavLoaderTest, EveryFailureNamesTheFullPath) {
    SampleModule player;
    preload(player);
    const float* before = player.data();
    struct Case {
        std::string name, bytes, message;
    };
    const Case cases[] = {
        {"text.wav", "just some text, not a wave at all", "Not a valid wave file: '%s'."},
        {"avi.wav", riff("AVI ", formatChunk(1, 16) + chunk("data", "ab")), "Not a valid wave file: '%s'."},
        {"nofmt.wav", riff("WAVE", chunk("data", words({1, 2}))), "Format chunk is missing in file '%s'."},
        {"nodata.wav", riff("WAVE", formatChunk(1, 16) + chunk("LIST", "INFO")), "Invalid data chunk in file '%s'."},
    };
    for (const Case& c : cases) {
        std::string path = write(c.name, c.bytes);
        EXPECT_FALSE(WavLoader::loadSample(path, player)) << c.name;
        std::string expected = c.message;
        expected.replace(expected.find("%s"), 2, path);
        expectOnlyMessage(expected);
    }
    std::string missing = (folder_ / "nowhere" / "missing.wav").string();
    EXPECT_FALSE(WavLoader::loadSample(missing, player));
    expectOnlyMessage("Can't open WAV file '" + missing + "'.");
    EXPECT_EQ(player.frameCount(), 3);
    EXPECT_EQ(player.data(), before);
}

TEST_F(WavLoaderTest, TruncatedFilesLoadWhatTheyHold) {
    std::string list = chunk("LIST", "INFO" + chunk("INAM", "name"));
    std::string full = wave(2, spread(64, 3), list);
    const size_t dataStart = full.size() - 128; // the data chunk's body
    for (size_t length = 0; length <= full.size(); ++length) {
        SampleModule player;
        bool loaded = WavLoader::loadSample(write("cut.wav", full.substr(0, length)), player);
        ASSERT_EQ(loaded, length >= dataStart) << length;
        size_t expectedFrames = loaded ? (length - dataStart) / 4 : 0;
        ASSERT_EQ(player.frameCount(), static_cast<int>(expectedFrames)) << length;
        ASSERT_EQ(dialogs_.messages().size(), loaded ? 0u : 1u) << length;
        dialogs_.clear();
    }
}

TEST_F(WavLoaderTest, CorruptHeadersNeverCrash) {
    const std::string good = wave(1, spread(40, 9), chunk("LIST", "INFO"));
    for (size_t at = 0; at < 60; ++at) {
        for (char value : {'\0', '\x7f', '\xff'}) {
            std::string bad = good;
            bad[at] = value;
            SampleModule player;
            if (WavLoader::loadSample(write("bad.wav", bad), player)) {
                ASSERT_LE(player.frameCount(), static_cast<int>(bad.size() / 2)) << at;
            }
            dialogs_.clear();
        }
    }
    // Random chunk sequences whose sizes may lie.
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    const char* ids[] = {"fmt ", "data", "LIST", "junk"};
    for (int file = 0; file < 200; ++file) {
        std::string chunks;
        for (uint32_t c = next() % 5; c > 0; --c) {
            std::string body(next() % 40, '\0');
            for (char& b : body)
                b = static_cast<char>(next() >> 24);
            std::string piece = chunk(ids[next() % 4], body);
            if (next() % 3 == 0) {
                uint32_t lie = next();
                for (int i = 0; i < 4; ++i)
                    piece[4 + static_cast<size_t>(i)] = static_cast<char>(lie >> (8 * i));
            }
            chunks += piece;
        }
        SampleModule player;
        WavLoader::loadSample(write("random.wav", riff("WAVE", chunks).substr(0, 12 + next() % (chunks.size() + 1))),
                              player);
        ASSERT_GE(player.frameCount(), 0);
        dialogs_.clear();
    }
    // Sizes far beyond the file in the format and data headers.
    std::string huge = riff("WAVE", formatChunk(1, 16) + chunk("data", words({5, 6, 7})));
    std::string hugeData = huge;
    for (int i = 0; i < 4; ++i)
        hugeData[40 + i] = '\xff';
    SampleModule player;
    ASSERT_TRUE(WavLoader::loadSample(write("hugedata.wav", hugeData), player));
    EXPECT_EQ(player.frameCount(), 3);
    std::string hugeFormat = huge;
    for (int i = 0; i < 4; ++i)
        hugeFormat[16 + i] = '\xff';
    EXPECT_FALSE(WavLoader::loadSample(write("hugefmt.wav", hugeFormat), player));
    expectOnlyMessage("Invalid data chunk in file '" + (folder_ / "hugefmt.wav").string() + "'.");
}

TEST_F(WavLoaderTest, OtherSampleSizesAreReadAsWords) {
    std::string eightBit(101, '\0');
    for (size_t i = 0; i < eightBit.size(); ++i)
        eightBit[i] = static_cast<char>(i * 37);
    std::string twentyFour(300, '\0');
    for (size_t i = 0; i < twentyFour.size(); ++i)
        twentyFour[i] = static_cast<char>(i * 101 + 3);
    for (auto [bits, body] : {std::pair{8, eightBit}, std::pair{24, twentyFour}}) {
        SampleModule player;
        std::string path = write("bits.wav", riff("WAVE", formatChunk(1, bits) + chunk("data", body)));
        ASSERT_TRUE(WavLoader::loadSample(path, player)) << bits;
        EXPECT_TRUE(dialogs_.messages().empty()) << bits;
        ASSERT_EQ(player.frameCount(), static_cast<int>(body.size() / 2)) << bits;
        for (size_t i = 0; i < body.size() / 2; ++i) {
            auto word =
                static_cast<int16_t>(static_cast<uint8_t>(body[2 * i]) | static_cast<uint8_t>(body[2 * i + 1]) << 8);
            ASSERT_FLOAT_EQ(player.data()[i], word / 32767.0f) << bits << " " << i;
        }
    }
}

TEST_F(WavLoaderTest, OtherChannelCountsGiveASilentSample) {
    SampleModule player;
    ASSERT_TRUE(WavLoader::loadSample(write("quad.wav", wave(4, spread(12, 1))), player));
    ASSERT_EQ(player.frameCount(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(player.data()[i], 0.0f);
}

TEST_F(WavLoaderTest, RealFilesLoadWithTheirFrameCount) {
    for (const char* name : {"/usr/share/sounds/alsa/Front_Center.wav", "/usr/share/sounds/alsa/Noise.wav"}) {
        std::ifstream in(name, std::ios::binary);
        if (!in)
            GTEST_SKIP() << name << " is not installed";
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        Header header = readHeader(bytes);
        ASSERT_GT(header.channels, 0) << name;
        int frames = static_cast<int>(header.dataBytes / (2 * static_cast<size_t>(header.channels)));
        SampleModule player;
        ASSERT_TRUE(WavLoader::loadSample(name, player)) << name;
        EXPECT_EQ(player.frameCount(), frames) << name;
        EXPECT_GT(frames, 10000) << name;
        EXPECT_TRUE(dialogs_.messages().empty()) << name;
    }
}

TEST_F(WavLoaderTest, UnloadHandsTheSampleBackToBeFreedLater) {
    SampleModule player;
    preload(player);
    const float* data = player.data();
    WavLoader::Decoded released;
    WavLoader::unloadSample(player, released);
    EXPECT_EQ(player.frameCount(), 0);
    EXPECT_EQ(player.data(), nullptr);
    EXPECT_EQ(released.samples.get(), data);
}
