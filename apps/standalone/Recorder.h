#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SpscQueue.h"
#include "apps/common/WavWriter.h"

// Writes what the audio thread played into a WAV file of 32-bit floats: the
// audio thread only copies its output into a queue; a thread of the recorder's
// own drains it into the file.
class Recorder {
  public:
    // User-interface thread. The queue holds seconds of audio at the rate.
    Recorder(const std::string& path, int sampleRate, double seconds = 10.0);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // User-interface thread: opens the file and starts draining.
    bool start(std::string* error);
    // Audio thread: all frames or, when the queue is full, none (counted as lost).
    void push(const float* interleaved, int frames);
    // User-interface thread, after the audio has stopped: writes what is left
    // and completes the file. False when frames were lost or writing failed.
    bool finish(std::string* error);

  private:
    void drain();
    bool writePending();

    std::string path_;
    int sampleRate_;
    SpscQueue<float> queue_;
    std::vector<float> chunk_; // the drain thread's: what one write takes out of the queue
    std::unique_ptr<WavWriter> writer_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<int64_t> lostFrames_{0};
    std::atomic<bool> writeFailed_{false};
};
