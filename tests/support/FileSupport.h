#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A folder of its own below the system's temporary folder, removed afterwards.
class TempFolder {
  public:
    explicit TempFolder(const std::string& name) {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& relative) const { return (path_ / relative).string(); }

  private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A mono 16-bit WAV file of the given words.
inline std::string monoWave(const std::vector<int16_t>& words) {
    auto put = [](std::string& s, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string data;
    for (int16_t w : words)
        put(data, static_cast<uint16_t>(w), 2);
    std::string fmt = "fmt ";
    put(fmt, 16, 4);
    put(fmt, 1, 2);
    put(fmt, 1, 2);
    put(fmt, 44100, 4);
    put(fmt, 88200, 4);
    put(fmt, 2, 2);
    put(fmt, 16, 2);
    std::string body = "WAVE" + fmt + "data";
    put(body, static_cast<uint32_t>(data.size()), 4);
    body += data;
    std::string riff = "RIFF";
    put(riff, static_cast<uint32_t>(body.size()), 4);
    return riff + body;
}
