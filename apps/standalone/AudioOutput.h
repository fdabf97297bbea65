#pragma once

#include <cstdio>
#include <memory>
#include <string>

class RtAudio;

// What the user asked of the sound output; empty or 0 means "choose".
struct AudioSettings {
    std::string driver; // "jack", "alsa", "pulse"
    std::string device;
    unsigned rate = 0;
    unsigned buffer = 256;
};

// The stereo output stream through RtAudio. Without a driver named, JACK is
// used when a server runs, then PulseAudio, then ALSA.
class AudioOutput {
  public:
    // Audio thread: fill frames of interleaved stereo; xrun tells that the
    // driver reported a gap since the last call.
    using Render = void (*)(float* interleaved, int frames, bool xrun, void* user);

    AudioOutput();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // User-interface thread. Opens the stream without starting it; false with a
    // one-line error when the driver, server or device is not there.
    bool open(const AudioSettings& settings, Render render, void* user, std::string* error);
    bool start(std::string* error);
    void stop();
    // User-interface thread: false once the driver ended the stream (a server
    // that went away), with the reason.
    bool healthy(std::string* error) const;

    unsigned rate() const { return rate_; }
    unsigned bufferFrames() const { return buffer_; }
    // "jack: system", for messages.
    const std::string& description() const { return description_; }

    // Prints every driver's output devices (the chosen default marked).
    static void listDevices(std::FILE* out);
    // Names the drivers understand.
    static bool knownDriver(const std::string& name);

  private:
    bool openWith(const std::string& driver, const AudioSettings& settings, std::string* error);
    static int callback(void* out, void* in, unsigned frames, double time, unsigned status, void* user);

    std::unique_ptr<RtAudio> audio_;
    Render render_ = nullptr;
    void* user_ = nullptr;
    unsigned rate_ = 0;
    unsigned buffer_ = 0;
    std::string description_;
};
