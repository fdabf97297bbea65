#pragma once

#include <atomic>
#include <cstdint>

#include "CallbackClock.h"
#include "ClockTempo.h"
#include "LoadMeter.h"
#include "MidiEvent.h"
#include "MidiMap.h"
#include "SpscQueue.h"
#include "Transport.h"
#include "TransportRequests.h"

class HostInstance;
class Recorder;
struct AEffect;

// The audio callback: takes the MIDI that arrived, cuts the buffer at every
// event so that a hit starts on its own frame, renders the pieces through
// operation 7 at the transport's position, and hands the result to the
// recorder. Nothing in it allocates, locks, waits or prints.
class AudioEngine {
  public:
    static constexpr float kMinTempo = 20.0f;
    static constexpr float kMaxTempo = 999.0f;

    struct Settings {
        int sampleRate = 44100;
        int maxFrames = 256; // the most frames one render call may ask for
        float tempo = 120.0f;
        bool play = false;
        int midiChannel = 10;
        bool midiClock = false; // MIDI clock sets the tempo
    };

    // User-interface thread, before the stream starts. midi and recorder may be null.
    AudioEngine(HostInstance& instance, const Settings& settings, SpscQueue<MidiEvent>* midi, Recorder* recorder);

    // Audio thread: fills frames of interleaved stereo; now is the monotonic
    // clock (nanoseconds) at the start of the callback.
    void process(float* out, int frames, bool xrun, int64_t now);
    static int64_t nowNanoseconds();

    // Any thread.
    TransportRequests& transport() { return requests_; }
    const LoadMeter& load() const { return load_; }
    int64_t xruns() const { return xruns_.load(std::memory_order_relaxed); }
    int64_t framesPlayed() const { return framesPlayed_.load(std::memory_order_relaxed); }
    // Counts the MIDI notes that triggered a track, for an activity light.
    int64_t notesReceived() const { return notes_.load(std::memory_order_relaxed); }

  private:
    void render(float* out, int from, int to);
    void apply(const MidiEvent& event);

    HostInstance& instance_;
    AEffect* effect_;
    int sampleRate_;
    int maxFrames_;
    bool midiClock_;
    SpscQueue<MidiEvent>* midi_;
    Recorder* recorder_;
    Transport transport_;
    TransportRequests requests_;
    MidiMap map_;
    ClockTempo clockTempo_;
    CallbackClock clock_;
    LoadMeter load_;
    std::atomic<int64_t> xruns_{0};
    std::atomic<int64_t> framesPlayed_{0};
    std::atomic<int64_t> notes_{0};
};
