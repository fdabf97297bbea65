#pragma once

namespace trommik2 {

// A second-order section in transposed direct form II, double precision, with
// eleven designs. Coefficients change only when design() runs.
class Biquad {
  public:
    enum Design {
        kLowPass = 0,
        kBandPass = 1,
        kHighPass = 2,
        kLowShelf = 3,
        kPeaking = 4,
        kHighShelf = 5,
        kLowPassQ = 6,
        kNotch = 7,
        kAllPass = 8,
        kHighPassQ = 9,
        kBandPassQ = 10,
    };

    // The rate is clipped to 11025..384000 Hz.
    void setSampleRate(double rate);
    void setType(int type) { type_ = type; }
    int type() const { return type_; }
    // Gains are in dB unless linear is set.
    void setLinearGain(bool linear) { linearGain_ = linear; }
    // Computes the coefficients of the current type at frequency (Hz), with
    // bandwidth the octaves of the classic designs or the Q of the Q forms.
    void design(double frequency, double bandwidth, double gain = 0.0);
    void clear() { z1_ = z2_ = 0.0; }
    // The state, for code that runs the section in vector lanes.
    double z1() const { return z1_; }
    double z2() const { return z2_; }
    void setState(double z1, double z2) {
        z1_ = z1;
        z2_ = z2;
    }

    double process(double x) {
        double y = b0_ * x + z1_;
        z1_ = b1_ * x + z2_ - a1_ * y;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }

    double b0() const { return b0_; }
    double b1() const { return b1_; }
    double b2() const { return b2_; }
    double a1() const { return a1_; }
    double a2() const { return a2_; }
    double sampleRate() const { return sampleRate_; }

  private:
    int type_ = kLowShelf;
    double frequency_ = 1000.0;
    double bandwidth_ = 1.0;
    double gain_ = 0.0;
    bool linearGain_ = false;
    double sampleRate_ = 44100.0;
    double b0_ = 1.0, b1_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double z1_ = 0.0, z2_ = 0.0;
};

} // namespace trommik2
