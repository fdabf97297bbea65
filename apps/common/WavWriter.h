#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>
#include <vector>

#include <platform/TempFile.h>

// Writes interleaved stereo floats to a WAV file through a temporary file that
// replaces the target only when everything was written.
class WavWriter {
  public:
    enum class Format { Float, Pcm16, Pcm24 };

    WavWriter(const std::string& path, int32_t sampleRate, Format format);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    static bool parseFormat(const std::string& text, Format* format);

    bool isOpen() const { return file_ != nullptr; }
    // Collects the frames; the file gets them in large pieces (and all of
    // them at finish), since a system call per host block costs more than a
    // fast render of the block.
    bool write(const float* interleaved, int64_t frames);
    bool finish(std::string* error);
    const std::string& error() const { return error_; }

  private:
    trommik2::TempFile temp_;
    bool flush();

    SNDFILE* file_ = nullptr;
    std::string error_;
    std::vector<float> pending_;
};
