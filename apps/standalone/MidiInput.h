#pragma once

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

#include "MidiEvent.h"
#include "SpscQueue.h"

class RtMidiIn;

// MIDI input through RtMidi: the ALSA sequencer where the system has one, else
// JACK MIDI. Every short message is stamped on arrival and queued for the audio
// thread.
class MidiInput {
  public:
    explicit MidiInput(SpscQueue<MidiEvent>& queue);
    ~MidiInput();
    MidiInput(const MidiInput&) = delete;
    MidiInput& operator=(const MidiInput&) = delete;

    // User-interface thread. With an empty port, offers a port of our own that
    // other programs connect to; else connects to the first port whose name
    // contains port (any case). clock: take MIDI clock messages too. False with
    // a one-line error.
    bool open(const std::string& port, bool clock, std::string* error);
    // "JACK MIDI port trommik2-midi:in", for messages.
    const std::string& description() const { return description_; }

    static void listPorts(std::FILE* out);

  private:
    static void received(double, std::vector<unsigned char>* message, void* user);

    SpscQueue<MidiEvent>& queue_;
    std::unique_ptr<RtMidiIn> in_;
    std::string description_;
    std::string lastError_;
};
