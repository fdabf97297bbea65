#pragma once

#include <vector>

namespace trommik2 {

class DrumMachine;

// Renders host blocks in-process, calling the plug-in in the order the host
// adapter does for every block: sample rate, position, tempo, processReplacing.
// The transport runs on from block to block.
class MachineDriver {
  public:
    MachineDriver(DrumMachine& machine, int sampleRate, int blockFrames, float tempo = 120.0f);

    // One block of up to the driver's block size; frames below 1 render nothing.
    void renderBlock(int frames);
    void renderBlock() { renderBlock(blockFrames_); }
    // The host's tempo from the next block on.
    void setTempo(float bpm) { tempo_ = bpm; }

    // The last block's output.
    const float* left() const { return left_.data(); }
    const float* right() const { return right_.data(); }
    int position() const { return position_; }

  private:
    DrumMachine& machine_;
    int sampleRate_;
    int blockFrames_;
    float tempo_;
    std::vector<float> left_;
    std::vector<float> right_;
    int position_ = 0;
};

} // namespace trommik2
