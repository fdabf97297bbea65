#include "RealtimePlayer.h"

#include <chrono>

#include "apps/common/HostInstance.h"

RealtimePlayer::RealtimePlayer(HostInstance& instance, int32_t blockFrames)
    : instance_(instance), blockFrames_(blockFrames), buffer_(static_cast<size_t>(blockFrames) * 2) {}

RealtimePlayer::~RealtimePlayer() { stop(); }

void RealtimePlayer::start() {
    if (playing())
        return;
    played_ = 0;
    running_ = true;
    instance_.call(8);
    thread_ = std::thread([this] { run(); });
}

void RealtimePlayer::stop() {
    if (!playing())
        return;
    running_ = false;
    thread_.join();
    instance_.call(10);
}

void RealtimePlayer::run() {
    using Clock = std::chrono::steady_clock;
    const double rate = instance_.context().sampleRate;
    const Clock::time_point begin = Clock::now();
    int64_t position = 0;
    while (running_) {
        instance_.render(buffer_.data(), blockFrames_, static_cast<int32_t>(position));
        position += blockFrames_;
        played_ = position;
        // The next block is due when the audio so far has been heard.
        auto due = begin + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(position / rate));
        std::this_thread::sleep_until(due);
    }
}
