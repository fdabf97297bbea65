#pragma once

#include <atomic>
#include <cstdint>

#include "BankPlayback.h"
#include "LevelMeter.h"
#include "MasterSection.h"
#include "PendingTriggers.h"
#include "TrackRenderState.h"
#include "engine/Relaxed.h"

namespace trommik2 {

class InstrumentBank;
class ProcessLock;
class Sequencer;

// Renders host blocks from the model: takes the host's position and tempo,
// cuts blocks into sub-blocks of at most 64 samples, lets the sequencer fire,
// picks the tracks worth rendering, runs their voices and mixes them through
// the master section. Keeps everything that only rendering needs per track.
class BlockRenderer {
  public:
    BlockRenderer(InstrumentBank& bank, Sequencer& sequencer, ProcessLock& lock);

    // Audio thread, before each block (the host's transport); any thread for tests.
    void setHostPosition(int samples) { hostPosition_ = samples; }
    void setHostTempo(float bpm) { hostTempo_ = bpm; }
    int hostPosition() const { return hostPosition_; }
    float hostTempo() const { return hostTempo_; }
    // Any thread: a hit on a track at the start of the next block.
    void requestTrigger(int track, float velocity) { pendingTriggers_.request(track, velocity); }

    // Audio thread: writes (adding false) or adds (adding true) frames of
    // stereo audio, under the process lock.
    void render(float** outputs, int frames, bool adding);
    // Under the process lock: a hit as the sequencer makes one (the audition).
    void trigger(int track, float velocity) { playback_.trigger(track, velocity); }

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
    // Samples rendered by track voices since construction, summed over tracks:
    // what the benchmark divides its time by.
    uint64_t renderedVoiceSamples() const { return renderedVoiceSamples_; }
    const LevelMeter& meter(int channel) const { return meters_[channel]; }

  private:
    void setSectionRates(float rate);
    void renderSubBlocks(float* left, float* right, int frames, bool adding);
    void renderSubBlock(float* left, float* right, int n, bool adding);
    bool selectTrack(int t, bool anySolo, int n);
    void renderTracks(int n);

    InstrumentBank& bank_;
    Sequencer& sequencer_;
    ProcessLock& lock_;
    TrackRenderState tracks_[TrackRenderState::kTrackCount];
    BankPlayback playback_;
    PendingTriggers pendingTriggers_;
    MasterSection master_;
    LevelMeter meters_[2];
    float mix_[2][64] = {};
    std::atomic<int> hostPosition_{0};
    std::atomic<float> hostTempo_{120.0f};
    Relaxed<int> sampleRate_ = 44100;
    std::atomic<float> requestedRate_{0.0f};
    Relaxed<bool> rendering_ = false;
    uint64_t renderedVoiceSamples_ = 0;
};

} // namespace trommik2
