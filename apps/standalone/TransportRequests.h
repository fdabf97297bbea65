#pragma once

#include <atomic>

class Transport;

// Transport changes asked for by other threads (the module's PLAY and STOP, a
// tempo control), taken over by the audio thread at the start of a callback.
// What the transport does is published back for display.
class TransportRequests {
  public:
    // Any thread.
    void requestPlay() { command_.store(kPlay, std::memory_order_release); }
    void requestStop() { command_.store(kStop, std::memory_order_release); }
    void requestTempo(float bpm) { tempo_.store(bpm, std::memory_order_release); }

    // Audio thread: applies what was asked since the last call and publishes the state.
    void apply(Transport& transport);

    // Any thread: the state at the last callback.
    bool playing() const { return playing_.load(std::memory_order_relaxed); }
    float tempo() const { return shownTempo_.load(std::memory_order_relaxed); }

  private:
    enum Command { kNone, kPlay, kStop };
    std::atomic<int> command_{kNone};
    std::atomic<float> tempo_{0.0f};
    std::atomic<bool> playing_{false};
    std::atomic<float> shownTempo_{0.0f};
};
