#pragma once

#include <cstdint>

// The standalone instrument's transport, owned by the audio thread: playing or
// not, the tempo, and the position that advances by the frames rendered.
//
// The module is handed the position within a cycle of twelve bars (a multiple
// of every pattern length, one to four bars), so that it stays small enough for
// the float the module carries it in. A tempo change keeps the place in the bar.
class Transport {
  public:
    Transport(int sampleRate, float tempo);

    bool playing() const { return playing_; }
    float tempo() const { return tempo_; }
    int64_t position() const { return position_; }

    // From the top of the pattern, as MIDI Start does.
    void start();
    void stop() { playing_ = false; }
    // From where it stopped.
    void resume() { playing_ = true; }
    // MIDI Song Position Pointer: sixteenth notes from the top.
    void setSongPosition(int sixteenths);
    void setTempo(float bpm);

    // The position the module renders the next frames at. While stopped it is a
    // place just after the first step, where no step lies: the instrument keeps
    // sounding (tails ring out, MIDI pads play) but the pattern stays quiet.
    int32_t modulePosition() const { return playing_ ? static_cast<int32_t>(position_) : 1; }
    // How many of wanted frames one render call may cover: while stopped, less
    // than one step, so that the quiet place is never left.
    int chunk(int wanted) const;
    // After rendering frames: moves the position on while playing.
    void advance(int frames);

  private:
    // The bar in samples, computed as the module computes it, so that the cycle
    // ends on one of its bar lines.
    int64_t barLength(float tempo) const;

    int sampleRate_;
    float tempo_;
    bool playing_ = false;
    int64_t position_ = 0;
    int64_t cycle_;
};
