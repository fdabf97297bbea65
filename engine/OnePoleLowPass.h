#pragma once

namespace trommik2 {

// A one-pole low-pass, s = (1 - p) x + p s; also the engine's DC estimator.
class OnePoleLowPass {
  public:
    // The cutoff is clipped to 0.1 .. 0.499999 of the rate.
    void setCutoff(float hz, float sampleRate);
    float process(float x) {
        state_ = (1.0f - p_) * x + p_ * state_;
        return state_;
    }
    void clear() { state_ = 0.0f; }
    float state() const { return state_; }
    // Takes back the state of a run elsewhere (several filters in vector lanes).
    void setState(float state) { state_ = state; }
    float pole() const { return p_; }

  private:
    float p_ = 0.0f;
    float state_ = 0.0f;
};

} // namespace trommik2
