#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include <engine/Biquad.h>

using namespace trommik2;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Magnitude of the designed transfer function at f, from its coefficients.
double magnitudeAt(const Biquad& b, double f) {
    std::complex<double> z = std::polar(1.0, -2.0 * kPi * f / b.sampleRate());
    std::complex<double> num = b.b0() + b.b1() * z + b.b2() * z * z;
    std::complex<double> den = 1.0 + b.a1() * z + b.a2() * z * z;
    return std::abs(num / den);
}

// Magnitude measured by running a sine through the filter.
double measuredMagnitude(Biquad b, double f) {
    b.clear();
    double peak = 0.0;
    const int n = static_cast<int>(b.sampleRate());
    for (int i = 0; i < n; ++i) {
        double y = b.process(std::sin(2.0 * kPi * f * i / b.sampleRate()));
        if (i > n / 2)
            peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

Biquad designed(int type, double f, double bw, double gain = 0.0) {
    Biquad b;
    b.setSampleRate(48000.0);
    b.setType(type);
    b.design(f, bw, gain);
    return b;
}

} // namespace

TEST(Biquad, PassAndStopBandsOfTheFilterDesigns) {
    Biquad low = designed(Biquad::kLowPass, 1000.0, 1.0);
    EXPECT_NEAR(magnitudeAt(low, 10.0), 1.0, 1e-3);
    EXPECT_LT(magnitudeAt(low, 10000.0), 0.02);
    Biquad high = designed(Biquad::kHighPass, 1000.0, 1.0);
    EXPECT_NEAR(magnitudeAt(high, 20000.0), 1.0, 0.02);
    EXPECT_LT(magnitudeAt(high, 50.0), 0.01);
    Biquad band = designed(Biquad::kBandPassQ, 2000.0, 4.0);
    EXPECT_NEAR(magnitudeAt(band, 2000.0), 4.0, 1e-6) << "the Q form's peak gain is Q";
    Biquad lowQ = designed(Biquad::kLowPassQ, 1000.0, std::sqrt(0.5));
    EXPECT_NEAR(magnitudeAt(lowQ, 1000.0), std::sqrt(0.5), 1e-3) << "Butterworth: -3 dB at the cutoff";
    Biquad notch = designed(Biquad::kNotch, 3000.0, 1.0);
    EXPECT_LT(magnitudeAt(notch, 3000.0), 1e-9);
}

TEST(Biquad, ShelvesPeaksAndAllPass) {
    Biquad lowShelf = designed(Biquad::kLowShelf, 200.0, 0.7, 12.0);
    EXPECT_NEAR(20.0 * std::log10(magnitudeAt(lowShelf, 5.0)), 12.0, 0.1);
    EXPECT_NEAR(20.0 * std::log10(magnitudeAt(lowShelf, 20000.0)), 0.0, 0.1);
    Biquad highShelf = designed(Biquad::kHighShelf, 4000.0, 0.7, -9.0);
    EXPECT_NEAR(20.0 * std::log10(magnitudeAt(highShelf, 23000.0)), -9.0, 0.2);
    EXPECT_NEAR(20.0 * std::log10(magnitudeAt(highShelf, 20.0)), 0.0, 0.1);
    Biquad peak = designed(Biquad::kPeaking, 1000.0, 1.0, 6.0);
    EXPECT_NEAR(20.0 * std::log10(magnitudeAt(peak, 1000.0)), 6.0, 0.01);
    Biquad allPass = designed(Biquad::kAllPass, 700.0, 0.2);
    for (double f : {30.0, 700.0, 9000.0})
        EXPECT_NEAR(magnitudeAt(allPass, f), 1.0, 1e-9);
}

TEST(Biquad, ProcessingMatchesTheDesignedResponse) {
    Biquad band = designed(Biquad::kBandPass, 1500.0, 1.0);
    for (double f : {300.0, 1500.0, 6000.0})
        EXPECT_NEAR(measuredMagnitude(band, f), magnitudeAt(band, f), 0.01) << f;
}

TEST(Biquad, FrequencyAndRateAreClipped) {
    Biquad b;
    b.setSampleRate(1000.0);
    EXPECT_EQ(b.sampleRate(), 11025.0);
    b.setSampleRate(1e6);
    EXPECT_EQ(b.sampleRate(), 384000.0);
    b.setSampleRate(44100.0);
    b.setType(Biquad::kLowPass);
    for (int type = 0; type <= 10; ++type) {
        b.setType(type);
        b.design(1e9, 1.0, 6.0);
        EXPECT_TRUE(std::isfinite(b.b0()) && std::isfinite(b.a1()) && std::isfinite(b.a2())) << type;
    }
    b.design(0.0, 1.0);
    EXPECT_TRUE(std::isfinite(b.b0()) && std::isfinite(b.a1()));
}
