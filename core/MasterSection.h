#pragma once

namespace trommik2 {

// The stereo master bus: gain, a 35 Hz DC-blocking high-pass and a soft clipper.
class MasterSection {
  public:
    // Recomputes the high-pass for a new rate (any thread under the process lock).
    void setSampleRate(float rate);
    void clear() { state_[0] = state_[1] = 0.0f; }
    // Audio thread: processes both channels in place.
    void process(float* left, float* right, int n, float volume);

  private:
    float a_ = 1.0f;
    float b_ = 0.0f;
    float state_[2] = {0.0f, 0.0f};
};

} // namespace trommik2
