#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

class HostInstance;

// Plays an instance's pattern in real time on a thread of its own, as a host's
// audio thread would: blocks at the instance's rate, each rendered no earlier
// than its due time, the position advancing with them. The audio goes nowhere;
// the timing is what counts. start and stop: user-interface thread.
class RealtimePlayer {
  public:
    explicit RealtimePlayer(HostInstance& instance, int32_t blockFrames = 512);
    ~RealtimePlayer();
    RealtimePlayer(const RealtimePlayer&) = delete;
    RealtimePlayer& operator=(const RealtimePlayer&) = delete;

    // From the top of the pattern; nothing when already playing.
    void start();
    // Waits for the thread; the host then suspends the instance.
    void stop();
    bool playing() const { return thread_.joinable(); }
    // Audio frames rendered since the last start (any thread).
    int64_t framesPlayed() const { return played_.load(); }

  private:
    void run();

    HostInstance& instance_;
    int32_t blockFrames_;
    std::vector<float> buffer_;
    std::atomic<bool> running_{false};
    std::atomic<int64_t> played_{0};
    std::thread thread_;
};
