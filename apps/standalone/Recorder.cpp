#include "Recorder.h"

#include <chrono>

Recorder::Recorder(const std::string& path, int sampleRate, double seconds)
    : path_(path), sampleRate_(sampleRate), queue_(static_cast<size_t>(seconds * sampleRate) * 2), chunk_(8192) {}

Recorder::~Recorder() {
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
}

bool Recorder::start(std::string* error) {
    writer_ = std::make_unique<WavWriter>(path_, sampleRate_, WavWriter::Format::Float);
    if (!writer_->isOpen()) {
        *error = writer_->error();
        return false;
    }
    thread_ = std::thread([this] { drain(); });
    return true;
}

void Recorder::push(const float* interleaved, int frames) {
    if (!queue_.push(interleaved, static_cast<size_t>(frames) * 2))
        lostFrames_.fetch_add(frames, std::memory_order_relaxed);
}

bool Recorder::writePending() {
    bool wrote = false;
    while (size_t count = queue_.pop(chunk_.data(), chunk_.size())) {
        if (!writeFailed_ && !writer_->write(chunk_.data(), static_cast<int64_t>(count / 2)))
            writeFailed_ = true;
        wrote = true;
    }
    return wrote;
}

void Recorder::drain() {
    while (!stopping_) {
        if (!writePending())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    writePending();
}

bool Recorder::finish(std::string* error) {
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (!writer_)
        return true;
    if (writeFailed_) {
        *error = writer_->error();
        return false;
    }
    if (lostFrames_ > 0) {
        *error = "the recording lost " + std::to_string(lostFrames_.load()) + " frames: the disk was too slow";
        return false;
    }
    return writer_->finish(error);
}
