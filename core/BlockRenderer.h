#pragma once

#include <atomic>
#include <cstdint>
#include <limits>

#include "BankPlayback.h"
#include "HostPlayState.h"
#include "MasterSection.h"
#include "OutputMeter.h"
#include "PendingTriggers.h"
#include "TrackRenderState.h"
#include "engine/Relaxed.h"

namespace trommik2 {

class InstrumentBank;
class ProcessLock;
class Sequencer;

// Renders host blocks from the model: takes the host's position and tempo,
// renders control blocks of 64 samples on a fixed grid of the host's timeline
// (the position modulo 64), lets the sequencer fire, picks the tracks worth
// rendering, runs their voices and mixes them through the master section.
// Keeps everything that only rendering needs per track.
//
// The grid makes the sound independent of how a host cuts its blocks: a block
// that ends between two grid points gets the first part of a whole control
// block, and the next block continues it from what was kept. Only a jump of
// the host's position starts afresh, with a short control block up to the next
// grid point. Hits requested between blocks (auditions, MIDI) and parameter
// changes take effect at the next grid point.
class BlockRenderer {
  public:
    BlockRenderer(InstrumentBank& bank, Sequencer& sequencer, ProcessLock& lock);

    // Audio thread, before each block (the host's transport); any thread for tests.
    void setHostPosition(int samples) { hostPosition_ = samples; }
    void setHostTempo(float bpm) { hostTempo_ = bpm; }
    int hostPosition() const { return hostPosition_; }
    float hostTempo() const { return hostTempo_; }
    // Audio thread, before each block: whether the host's transport rolls. While
    // it stands the pattern neither fires nor automates, and what was hit rings on.
    void setTransportRolling(bool rolling) { rolling_ = rolling; }
    // Any thread: a hit on a track at the start of the next block.
    void requestTrigger(int track, float velocity) { pendingTriggers_.request(track, velocity); }

    // Audio thread: writes (adding false) or adds (adding true) frames of
    // stereo audio, under the process lock.
    void render(float** outputs, int frames, bool adding) { render(outputs, frames, adding, nullptr); }
    // Audio thread: as above, and writes each track's own output (after its
    // output stage, before the master section) to trackOutputs[2t] (left) and
    // [2t + 1] (right), each of which may be null. No track outputs: null.
    void render(float** outputs, int frames, bool adding, float* const* trackOutputs);

    // Under the process lock.
    void setSampleRate(float rate);
    // Any thread: whether the last rate set was this one.
    bool runsAt(float rate) const { return requestedRate_.load(std::memory_order_relaxed) == rate; }
    int sampleRate() const { return sampleRate_; }
    // Under the process lock. Silence: mix buffers at the anti-denormal level,
    // voices, gates, meters and the high-pass cleared, the rendering flag down.
    void suspend();
    // Forgets the hits of the last block.
    void resume();

    // Any thread.
    bool isRendering() const { return rendering_; }
    // Any thread: whether the host plays (HostPlayState).
    bool hostPlaying() const { return playState_.playing(); }
    // Samples rendered by track voices since construction, summed over tracks:
    // what the benchmark divides its time by.
    uint64_t renderedVoiceSamples() const { return renderedVoiceSamples_; }
    const OutputMeter& meter(int channel) const { return meters_[channel]; }

  private:
    void setSectionRates(float rate);
    // Drops the rest of the last control block; its steps may play again.
    void forgetKept();
    // Hands out up to frames samples of the control block rendered last; returns how many.
    int deliverKept(float* const* outputs, int offset, int frames, bool adding, float* const* trackOutputs);
    void deliverTracks(float* const* trackOutputs, int offset, int n) const;
    // Renders the control block that starts at a host position into the mix.
    int renderControlBlock(int64_t position, float tempo);
    void renderSubBlock(int n);
    bool selectTrack(int t, bool anySolo, int n);
    void renderEnvelopes(int n);
    void renderTracks(int n);

    InstrumentBank& bank_;
    Sequencer& sequencer_;
    ProcessLock& lock_;
    TrackRenderState tracks_[TrackRenderState::kTrackCount];
    BankPlayback playback_;
    PendingTriggers pendingTriggers_;
    MasterSection master_;
    OutputMeter meters_[2];
    float mix_[2][64] = {};
    // The part of the last control block that no host block has taken yet.
    int keptFrom_ = 0;
    int keptTo_ = 0;
    // Whether the tracks' buffers hold their part of that block: only when a
    // host asked for the tracks' outputs, since idle voices need not write them.
    bool tracksKept_ = false;
    // The host position that continues the last host block.
    int64_t nextPosition_ = -1;
    std::atomic<int> hostPosition_{0};
    std::atomic<float> hostTempo_{120.0f};
    // The tempo the voices were last told (none yet: NaN).
    float voicesTempo_ = std::numeric_limits<float>::quiet_NaN();
    Relaxed<int> sampleRate_ = 44100;
    std::atomic<float> requestedRate_{0.0f};
    Relaxed<bool> rendering_ = false;
    Relaxed<bool> rolling_ = true;
    HostPlayState playState_;
    uint64_t renderedVoiceSamples_ = 0;
};

} // namespace trommik2
