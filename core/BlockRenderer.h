#pragma once

#include <cstdint>

#include "LevelMeter.h"
#include "MasterSection.h"
#include "engine/Relaxed.h"

namespace trommik2 {

class InstrumentBank;
class Sequencer;
class PlaybackTarget;

// Renders host blocks: cuts them into sub-blocks of at most 64 samples, lets
// the sequencer fire, picks the tracks worth rendering, runs their voices and
// mixes them through the master section. Audio thread, under the process lock.
class BlockRenderer {
  public:
    BlockRenderer(InstrumentBank& bank, Sequencer& sequencer, PlaybackTarget& target);

    void setSampleRate(float rate);
    // Writes (adding false) or adds (adding true) frames of stereo audio.
    void render(float** outputs, int frames, bool adding);
    // Silence: mix buffers at the anti-denormal level, voices, gates, meters and
    // the high-pass cleared, the rendering flag down.
    void suspend();

    bool isRendering() const { return rendering_; }
    // Samples rendered by track voices since construction, summed over tracks:
    // what the benchmark divides its time by.
    uint64_t renderedVoiceSamples() const { return renderedVoiceSamples_; }
    const LevelMeter& meter(int channel) const { return meters_[channel]; }

  private:
    void renderSubBlock(float* left, float* right, int n, bool adding);
    bool selectTrack(int t, bool anySolo, int n);
    void renderTracks(int n);

    InstrumentBank& bank_;
    Sequencer& sequencer_;
    PlaybackTarget& target_;
    MasterSection master_;
    LevelMeter meters_[2];
    float mix_[2][64] = {};
    bool rendered_[16] = {};
    Relaxed<bool> rendering_ = false;
    uint64_t renderedVoiceSamples_ = 0;
};

} // namespace trommik2
