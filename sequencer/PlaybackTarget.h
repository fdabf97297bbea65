#pragma once

namespace trommik2 {

// What pattern playback drives: the track instruments and their mute and solo
// state. Called on the audio thread, once per track and sub-block for
// isPlaying and once per hit or automation value for the others.
class PlaybackTarget {
  public:
    virtual ~PlaybackTarget() = default;
    // False for a track that is muted and not soloed.
    virtual bool isPlaying(int track) const = 0;
    // A hit with velocity 0..1, before the instrument's velocity curve.
    virtual void trigger(int track, float velocity) = 0;
    // A step's automation value for an instrument parameter, in engine units and
    // already inside the parameter's automation range.
    virtual void applyAutomation(int track, int parameter, float value) = 0;
};

} // namespace trommik2
