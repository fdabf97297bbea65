#pragma once

namespace trommik2 {

// The bend of a normalised 0..1 position onto a value range: mid is the fraction
// of the range reached at half travel (0.5 linear, smaller finer at the low end).
class ValueCurve {
  public:
    void set(float mid);
    float mid() const { return mid_; }
    float inverse() const { return inverse_; }
    float oneMinusInverse() const { return oneMinusInverse_; }

  private:
    float mid_ = 0.5f;
    float inverse_ = 2.0f;
    float oneMinusInverse_ = -1.0f;
};

} // namespace trommik2
