#include "WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "platform/TempFile.h"

namespace trommik2 {

namespace {

void put(std::string& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

bool WavFile::writeMono16(const std::string& path, const std::vector<float>& samples, int rate, std::string* error) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    put(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    put(bytes, 16, 4);
    put(bytes, 1, 2); // PCM
    put(bytes, 1, 2); // mono
    put(bytes, static_cast<uint32_t>(rate), 4);
    put(bytes, static_cast<uint32_t>(rate) * 2, 4);
    put(bytes, 2, 2);
    put(bytes, 16, 2);
    bytes += "data";
    put(bytes, dataBytes, 4);
    for (float s : samples) {
        const long word = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put(bytes, static_cast<uint32_t>(static_cast<int16_t>(word)), 2);
    }
    TempFile file(path);
    {
        std::ofstream out(file.path(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            *error = "cannot write " + path;
            return false;
        }
    }
    return file.commit(error);
}

} // namespace trommik2
