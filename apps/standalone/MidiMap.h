#pragma once

#include "MidiEvent.h"

// What a MIDI message asks of the instrument: drum pads on one channel, notes
// 36 to 51 (the General MIDI kick upwards) for tracks 0 to 15, and the song
// messages that drive the transport.
struct MidiAction {
    enum Kind { None, Trigger, Start, Continue, Stop, SongPosition, Clock };
    Kind kind = None;
    int track = 0;
    float velocity = 0.0f;
    int sixteenths = 0; // SongPosition: beats of the song position pointer
};

class MidiMap {
  public:
    static constexpr int kFirstNote = 36;
    static constexpr int kTracks = 16;

    // channel: 1..16.
    explicit MidiMap(int channel) : channel_(channel - 1) {}

    // Any thread. A note-on with velocity 0 is a note-off, and drums ignore
    // note-offs: they play their hit to its end.
    MidiAction interpret(const MidiEvent& event) const;

  private:
    int channel_;
};
