#pragma once

#include <atomic>
#include <cstdint>

#include "LowPassedRandom.h"
#include "PlaybackTarget.h"
#include "TrackPattern.h"
#include "engine/Relaxed.h"
#include "params/ParameterTable.h"

namespace trommik2 {

// The drum machine's one pattern with its timing, and its playback against the
// host transport. Every slot's sample position is precomputed whenever the
// timing changes, so playback only compares integers against a window.
//
// Threads: the timing setters and the track edits come from the user-interface
// thread (and from block start on the audio thread) without a lock; playback
// runs on the audio thread under the process lock. The shared data are relaxed
// atomics: a concurrent edit may be seen half-done for one sub-block, but every
// value the audio thread divides by or indexes with is checked first.
class Sequencer {
  public:
    static constexpr int kTrackCount = 16;
    static constexpr int kSlotCount = TrackPattern::kSlotCount;
    static constexpr int kStepsPerBar = 32;
    static constexpr int kDefaultTrack = 1;

    // The automation ranges are copied from the table. Starts with the default
    // pattern: 2 bars, shuffle 0, 120 BPM, 44100 Hz, a hit on every quarter
    // note of the first track.
    explicit Sequencer(const ParameterTable& table);

    // Each stores its value and recomputes every slot position. The model keeps
    // what it is given; callers validate bars (1..4) and shuffle (0..100).
    void setSampleRate(int rate);
    void setTempo(float bpm);
    void setBars(int bars);
    void setShuffle(int percent);

    // The samples of one bar as playback counts them (truncated, bounded), so
    // that transports of our own can end their cycles on its bar lines.
    static int barLength(float tempo, float sampleRate);

    float sampleRate() const { return sampleRate_; }
    float tempo() const { return tempo_; }
    int bars() const { return bars_; }
    int shuffle() const { return shuffle_; }
    int position() const { return position_; }
    int patternLength() const { return patternLength_; }
    int samplesPerStep() const { return samplesPerStep_; }
    int currentBar() const { return currentBar_; }
    float randomState() const { return random_.state(); }

    // Track t, clamped to 0..15.
    TrackPattern& track(int t) { return tracks_[clampTrack(t)]; }
    const TrackPattern& track(int t) const { return tracks_[clampTrack(t)]; }

    // Block start, audio thread: the host's rate, playback position (samples)
    // and tempo. The sequencer keeps no clock of its own between blocks. The
    // positions are recomputed when the timing changed since the last block.
    void startBlock(int sampleRate, int hostPosition, float tempo);
    // One sub-block of n (1..64) samples, audio thread: advances the position,
    // triggers the steps whose positions fall in the sub-block, then applies
    // automation; all triggers of all tracks come before any automation.
    void processSubBlock(int n, PlaybackTarget& target);

    // Audio thread: the last samples (count) of the last sub-block were never
    // heard, since the host jumped elsewhere: the steps there may play again.
    void rearmUnheard(int count);

  private:
    // Positions p with p >= 0, p >= start and p < end.
    struct Window {
        int64_t start;
        int64_t end;
        bool contains(int p) const { return p >= 0 && p >= start && p < end; }
    };

    // Slot indices first .. end - 1.
    struct SlotRange {
        int first = 0;
        int end = 0;
    };

    static int clampTrack(int t) { return t < 0 ? 0 : (t >= kTrackCount ? kTrackCount - 1 : t); }
    void recomputePositions();
    void writePositions();
    bool windowIsEmpty(Window window, SlotRange range) const;
    // The slots whose positions may fall in the window.
    SlotRange candidates(Window window) const;
    void triggerTrack(int t, Window window, SlotRange range, PlaybackTarget& target);
    void automateTrack(int t, PlaybackTarget& target);

    Relaxed<float> sampleRate_ = 44100.0f;
    Relaxed<float> tempo_ = 120.0f;
    Relaxed<int> position_ = 0;
    Relaxed<int> patternLength_ = 0;
    Relaxed<int> samplesPerStep_ = 0;
    Relaxed<int> bars_ = 2;
    Relaxed<int> shuffle_ = 0;
    Relaxed<int> currentBar_ = 0;
    // Set by the timing setters: the next block start recomputes the positions
    // even if its own rate and tempo are unchanged (a recomputation by another
    // thread may have raced with one of ours).
    std::atomic<bool> positionsStale_{false};
    TrackPattern tracks_[kTrackCount];
    LowPassedRandom random_;
    // The slots of each track that the sub-block's window covers, in slot order:
    // found by the trigger pass, walked again by the automation pass.
    uint8_t windowSlots_[kTrackCount][kSlotCount] = {};
    int windowSlotCount_[kTrackCount] = {};
    // Per track, the candidates of its last window: no slot outside them is marked played.
    SlotRange lastRange_[kTrackCount];
    // Per track, whether its last trigger pass may have left a slot marked played.
    bool marked_[kTrackCount] = {};
    // Writers of the positions at work, and completed writes: a window seen
    // empty while neither moved saw every track's positions as they stood.
    std::atomic<int> positionWriters_{0};
    std::atomic<uint32_t> positionsWritten_{0};
    float automationMinimum_[kParameterCount];
    float automationMaximum_[kParameterCount];
};

} // namespace trommik2
