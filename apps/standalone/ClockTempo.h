#pragma once

#include <cstdint>

// The tempo of incoming MIDI clock (24 ticks per quarter note), averaged over the
// last beat so that the jitter of single ticks does not reach the sequencer.
class ClockTempo {
  public:
    static constexpr int kTicksPerBeat = 24;

    // Audio thread: one clock tick at that time. True when a tempo is known and
    // it moved by more than a hundredth of a BPM since the last one given out;
    // then bpm holds it.
    bool tick(int64_t nanoseconds, float* bpm);
    // Forgets the ticks: after a stop the next clock starts a fresh average.
    void reset() { count_ = 0; }

  private:
    int64_t ticks_[kTicksPerBeat + 1] = {};
    int count_ = 0;
    int next_ = 0;
    float reported_ = 0.0f;
};
