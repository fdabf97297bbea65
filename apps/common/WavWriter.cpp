#include "WavWriter.h"

namespace {

// About a quarter of a megabyte, and under a second of audio.
constexpr size_t kPendingFrames = 32768;

int sndFormatOf(WavWriter::Format format) {
    switch (format) {
    case WavWriter::Format::Pcm16: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    case WavWriter::Format::Pcm24: return SF_FORMAT_WAV | SF_FORMAT_PCM_24;
    default: return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    }
}

} // namespace

WavWriter::WavWriter(const std::string& path, int32_t sampleRate, Format format) : temp_(path) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = 2;
    info.format = sndFormatOf(format);
    file_ = sf_open(temp_.path().c_str(), SFM_WRITE, &info);
    if (!file_)
        error_ = "cannot write " + path + ": " + sf_strerror(nullptr);
    else if (format != Format::Float)
        sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

WavWriter::~WavWriter() {
    if (file_)
        sf_close(file_);
}

bool WavWriter::parseFormat(const std::string& text, Format* format) {
    if (text == "float")
        *format = Format::Float;
    else if (text == "pcm16")
        *format = Format::Pcm16;
    else if (text == "pcm24")
        *format = Format::Pcm24;
    else
        return false;
    return true;
}

bool WavWriter::write(const float* interleaved, int64_t frames) {
    if (frames <= 0)
        return true;
    pending_.insert(pending_.end(), interleaved, interleaved + 2 * frames);
    return pending_.size() < 2 * kPendingFrames || flush();
}

bool WavWriter::flush() {
    const auto frames = static_cast<sf_count_t>(pending_.size() / 2);
    const bool written = sf_writef_float(file_, pending_.data(), frames) == frames;
    pending_.clear();
    if (!written)
        error_ = std::string("write failed: ") + sf_strerror(file_);
    return written;
}

bool WavWriter::finish(std::string* error) {
    if (!pending_.empty() && !flush()) {
        *error = error_;
        sf_close(file_);
        file_ = nullptr;
        return false;
    }
    int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0) {
        *error = "cannot finish the audio file";
        return false;
    }
    return temp_.commit(error);
}
