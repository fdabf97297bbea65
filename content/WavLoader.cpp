#include "WavLoader.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

#include <mmio.h>

#include "engine/SampleModule.h"
#include "platform/Dialogs.h"

namespace trommik2 {

namespace {

constexpr float kMonoScale = 1.0f / 32767.0f;
constexpr float kStereoScale = 1.0f / 65534.0f;
constexpr int kReadError = -1;

void showError(const std::string& text) { Dialogs::current().message(text, "Trommik 2", MessageIcon::Stop, false); }

// Shows a message with the full path in place of its %s.
void report(std::string text, const std::string& path) {
    text.replace(text.find("%s"), 2, path);
    showError(text);
}

// Closes the file on every way out.
struct OpenFile {
    explicit OpenFile(const std::string& path) {
        std::string name = path; // the open call takes a writable name
        handle = mmioOpen(name.data(), nullptr, MMIO_READ);
    }
    ~OpenFile() {
        if (handle)
            mmioClose(handle, 0);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    HMMIO handle;
};

int16_t wordAt(const char* bytes) {
    auto low = static_cast<uint8_t>(bytes[0]);
    auto high = static_cast<uint8_t>(bytes[1]);
    return static_cast<int16_t>(low | high << 8);
}

// Reads the whole format chunk, in pieces so that a corrupt size cannot make us
// allocate. Returns its channel count, 1 when the chunk is short, or kReadError.
int readChannelCount(HMMIO file, uint32_t size) {
    char piece[64];
    uint32_t total = 0;
    int channels = 0;
    while (total < size) {
        auto wanted = static_cast<int32_t>(std::min<uint32_t>(sizeof piece, size - total));
        int32_t got = mmioRead(file, piece, wanted);
        if (got < 0)
            return kReadError;
        if (total == 0 && got >= 4)
            channels = static_cast<uint16_t>(wordAt(piece + 2));
        total += static_cast<uint32_t>(got);
        if (got < wanted)
            break;
    }
    return total == size && size >= 4 ? channels : 1;
}

// The bytes of the data chunk that the file really holds.
int32_t bytesInFile(HMMIO file, const MMCKINFO& data) {
    int64_t fileSize = mmioSeek(file, 0, SEEK_END);
    int64_t left = std::max<int64_t>(0, fileSize - int64_t{data.dwDataOffset});
    return static_cast<int32_t>(std::min<int64_t>(data.cksize, left));
}

void convert(const char* bytes, int channels, int32_t frames, float* out) {
    if (channels == 1) {
        for (int32_t i = 0; i < frames; ++i)
            out[i] = static_cast<float>(wordAt(bytes + 2 * i)) * kMonoScale;
    } else if (channels == 2) {
        for (int32_t i = 0; i < frames; ++i) {
            int sum = wordAt(bytes + 4 * i) + wordAt(bytes + 4 * i + 2);
            out[i] = static_cast<float>(sum) * kStereoScale;
        }
    }
    // Any other channel count leaves the sample silent.
}

// Found, but the player is to be left without a sample.
WavLoader::Decoded outOfMemory() {
    showError("Can't allocate memory for WAV file.");
    WavLoader::Decoded decoded;
    decoded.found = true;
    decoded.clearPlayer = true;
    return decoded;
}

} // namespace

WavLoader::Decoded WavLoader::read(const std::string& path) {
    Decoded decoded;
    OpenFile file(path);
    if (!file.handle) {
        report("Can't open WAV file '%s'.", path);
        return decoded;
    }
    return read(file.handle, path);
}

WavLoader::Decoded WavLoader::read(HMMIO h, const std::string& path) {
    Decoded decoded;
    mmioSeek(h, 0, SEEK_SET);
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) {
        report("Not a valid wave file: '%s'.", path);
        return decoded;
    }
    MMCKINFO format{};
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(h, &format, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        report("Format chunk is missing in file '%s'.", path);
        return decoded;
    }
    int channels = readChannelCount(h, format.cksize);
    if (channels == kReadError) {
        report("Unable to read a format chunk in file '%s'.", path);
        return decoded;
    }
    mmioAscend(h, &format, 0); // a failed ascend leaves the data chunk unfound
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(h, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) {
        report("Invalid data chunk in file '%s'.", path);
        return decoded;
    }
    // Sized by what the file holds rather than by the header, which may lie.
    int32_t size = bytesInFile(h, data);
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[static_cast<size_t>(size)]());
    if (!bytes)
        return outOfMemory();
    mmioSeek(h, static_cast<int32_t>(data.dwDataOffset), SEEK_SET);
    int32_t got = mmioRead(h, bytes.get(), size);
    decoded.found = true;
    if (got <= 0)
        return decoded;
    int32_t frames = channels == 2 ? got / 4 : got / 2;
    std::unique_ptr<float[]> samples(new (std::nothrow) float[static_cast<size_t>(frames) + SampleModule::kTail]());
    if (!samples)
        return outOfMemory();
    convert(bytes.get(), channels, frames, samples.get());
    decoded.samples = std::move(samples);
    decoded.frames = frames;
    return decoded;
}

bool WavLoader::install(Decoded& decoded, SampleModule& player) {
    if (!decoded.found)
        return false;
    if (decoded.samples)
        player.swapSample(decoded.samples, decoded.frames);
    else if (decoded.clearPlayer)
        player.clearSample(decoded.samples);
    else
        player.reset(); // an empty data chunk keeps the previous sample
    return true;
}

void WavLoader::unloadSample(SampleModule& player, Decoded& decoded) { player.clearSample(decoded.samples); }

} // namespace trommik2
