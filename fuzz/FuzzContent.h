#pragma once

// What the document targets share: a content tree of their own below the
// system's temporary folder, whose samples carry the factory library's names
// (so documents that name them take the sample path too), and a check that
// reports a broken expectation as the crash the fuzzer keeps.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzzing {

// A short mono or stereo 16-bit WAV file of a decaying saw.
inline std::string waveFile(int channels, int frames) {
    auto put = [](std::string& s, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string data;
    for (int i = 0; i < frames * channels; ++i)
        put(data, static_cast<uint16_t>(static_cast<int16_t>((i % 50 - 25) * 1000 * (frames - i / channels) / frames)),
            2);
    std::string text = "RIFF";
    put(text, static_cast<uint32_t>(36 + data.size()), 4);
    text += "WAVEfmt ";
    put(text, 16, 4);
    put(text, 1, 2);
    put(text, static_cast<uint32_t>(channels), 2);
    put(text, 44100, 4);
    put(text, static_cast<uint32_t>(44100 * 2 * channels), 4);
    put(text, static_cast<uint32_t>(2 * channels), 2);
    put(text, 16, 2);
    text += "data";
    put(text, static_cast<uint32_t>(data.size()), 4);
    return text + data;
}

class ContentTree {
  public:
    ContentTree() {
        root_ = std::filesystem::temp_directory_path() / ("trommik2-fuzz-" + std::to_string(::getpid()));
        const std::filesystem::path samples = root_ / "Trommik2" / "Samples" / "Factory";
        std::filesystem::create_directories(samples);
        const char* names[] = {"Kick.wav", "Snare.wav", "Crash.wav", "BassPluck.wav", "BassSub.wav"};
        int channels = 1;
        for (const char* name : names) {
            std::ofstream(samples / name, std::ios::binary) << waveFile(channels, 300);
            channels = 3 - channels;
        }
    }
    ~ContentTree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    ContentTree(const ContentTree&) = delete;
    ContentTree& operator=(const ContentTree&) = delete;

    std::string root() const { return root_.string(); }

  private:
    std::filesystem::path root_;
};

// Made on first use, removed when the process ends normally.
inline const std::string& contentRoot() {
    static ContentTree tree;
    static const std::string root = tree.root();
    return root;
}

// A broken expectation: the fuzzer keeps the input as a crash.
inline void expect(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz expectation failed: %s\n", what);
    std::abort();
}

} // namespace fuzzing
