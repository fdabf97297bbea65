#pragma once

namespace trommik2 {

// A triangle LFO stepped once per control block, unipolar (0..1, starting at 0) or
// bipolar (-1..1, starting at 0), both first rising, followed by the engine's
// cutoff-scaled one-pole section that rounds its corners and steps.
class TriangleLfo {
  public:
    explicit TriangleLfo(bool bipolar) : bipolar_(bipolar) {}

    // Cutoff of the smoothing section in Hz, for a section run at controlRate.
    void setSmoothing(float cutoff, float controlRate);
    void setRate(float hz, float controlRate) { increment_ = hz / controlRate; }
    // One control block: steps the triangle and returns the smoothed value.
    float advance();
    // Back to the start value with the smoother at rest.
    void restart();

  private:
    float triangle() const;

    bool bipolar_;
    float phase_ = 0.0f;
    float increment_ = 0.0f;
    float b0_ = 1.0f, b1_ = 0.0f, a1_ = 0.0f;
    float previousInput_ = 0.0f;
    float output_ = 0.0f;
};

} // namespace trommik2
