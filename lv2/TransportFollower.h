#pragma once

#include <cstdint>

namespace trommik2 {

// What one time:Position object of the host carries; a field the host left
// out keeps its has-flag false.
struct HostTimePosition {
    bool hasSpeed = false, hasBpm = false, hasBar = false, hasBarBeat = false;
    bool hasBeatsPerBar = false, hasBeatUnit = false, hasFrame = false;
    float speed = 0.0f;
    float bpm = 120.0f;
    int64_t bar = 0;
    float barBeat = 0.0f;
    float beatsPerBar = 4.0f;
    int beatUnit = 4;
    int64_t frame = 0;
};

// Places the pattern on the host's transport. The pattern counts quarter notes
// from the host's first bar: a pattern bar is four quarters, so in 4/4 its bars
// are the host's. Bar and beat place it where the host gives them, since they
// stay on the host's bars through tempo changes; a host that gives only a frame
// position places it by that frame at the current tempo. Between the host's
// reports the place moves on by the frames rendered.
//
// The position handed to the renderer lies within a cycle of twelve pattern
// bars (a multiple of every pattern length) so that it fits an int. While the
// transport stands the pattern keeps its place and the renderer gets a position
// that moves on, so that ringing tails render on an unbroken grid.
// Audio thread.
class TransportFollower {
  public:
    explicit TransportFollower(double sampleRate);

    void setSampleRate(double sampleRate);
    void apply(const HostTimePosition& position);
    // After rendering frames.
    void advance(int frames);

    bool rolling() const { return rolling_; }
    // Quarter notes per minute, as the sequencer counts its tempo.
    float tempo() const { return tempo_; }
    // Where the renderer renders the next frame.
    int renderPosition() const { return static_cast<int>(rolling_ ? position_ : (position_ + idle_) % cycle()); }
    // Where the pattern stands (samples into the cycle).
    int64_t patternPosition() const { return position_; }

  private:
    int64_t barLength() const;
    int64_t cycle() const { return kCycleBars * barLength(); }
    // The place of a count of quarter notes from the host's first bar.
    int64_t placeOf(double quarters) const;

    static constexpr int kCycleBars = 12;

    double sampleRate_;
    float hostBpm_ = 120.0f;
    float speed_ = 0.0f;
    int beatUnit_ = 4;
    float beatsPerBar_ = 4.0f;
    float tempo_ = 120.0f;
    bool rolling_ = false;
    int64_t position_ = 0;
    int64_t idle_ = 0;
};

} // namespace trommik2
