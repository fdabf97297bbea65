#include "Biquad.h"

#include <algorithm>
#include <cmath>

#include "Dsp.h"

namespace trommik2 {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfLn2 = 0.34657359027997264; // ln 2 / 2

struct Coefficients {
    double b0, b1, b2, a0, a1, a2;
};

Coefficients shelf(bool low, double A, double c, double beta) {
    double sign = low ? 1.0 : -1.0;
    return {A * ((A + 1) - sign * (A - 1) * c + beta),  sign * 2 * A * ((A - 1) - sign * (A + 1) * c),
            A * ((A + 1) - sign * (A - 1) * c - beta),  (A + 1) + sign * (A - 1) * c + beta,
            -sign * 2 * ((A - 1) + sign * (A + 1) * c), (A + 1) + sign * (A - 1) * c - beta};
}

Coefficients qForm(int type, double K, double Q) {
    double a0 = 1 + K / Q + K * K;
    double a1 = 2 * (K * K - 1);
    double a2 = 1 - K / Q + K * K;
    if (type == Biquad::kLowPassQ)
        return {K * K, 2 * K * K, K * K, a0, a1, a2};
    if (type == Biquad::kHighPassQ)
        return {1, -2, 1, a0, a1, a2};
    return {K, 0, -K, a0, a1, a2};
}

} // namespace

void Biquad::setSampleRate(double rate) { sampleRate_ = dsp::clip(rate, 11025.0, 384000.0); }

void Biquad::design(double frequency, double bandwidth, double gain) {
    frequency_ = frequency;
    bandwidth_ = bandwidth;
    gain_ = gain;
    double S = sampleRate_;
    double f = dsp::clip(frequency, 0.1, 0.499999 * S);
    double w = 2.0 * kPi * f / S;
    Coefficients k{};
    // Each design computes only the functions it needs: designs run once per
    // control block in several modules.
    if (type_ == kLowPassQ || type_ == kHighPassQ || type_ == kBandPassQ) {
        k = qForm(type_, std::tan(w / 2.0), bandwidth);
    } else {
        double s = std::sin(w);
        double c = std::cos(w);
        // Close to the Nyquist frequency w / s grows without bound; capping the
        // argument keeps the coefficients finite (the response there is ~0 anyway).
        auto alpha = [&] { return s * std::sinh(std::min(kHalfLn2 * bandwidth * w / s, 700.0)); };
        auto amplitude = [&] { return linearGain_ ? gain : std::pow(10.0, gain / 40.0); };
        switch (type_) {
        case kLowPass: {
            double a = alpha();
            k = {(1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a};
            break;
        }
        case kBandPass: {
            double a = alpha();
            k = {s / 2, 0, -s / 2, 1 + a, -2 * c, 1 - a};
            break;
        }
        case kHighPass: {
            double a = alpha();
            k = {(1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a};
            break;
        }
        case kLowShelf:
        case kHighShelf: {
            double A = amplitude();
            k = shelf(type_ == kLowShelf, A, c, std::sqrt(A) / bandwidth * s);
            break;
        }
        case kPeaking: {
            double A = amplitude();
            double a4 = 0.375 * bandwidth * w;
            k = {1 + a4 * A, -2 * c, 1 - a4 * A, 1 + a4 / A, -2 * c, 1 - a4 / A};
            break;
        }
        case kNotch: {
            double a = alpha();
            k = {1, -2 * c, 1, 1 + a, -2 * c, 1 - a};
            break;
        }
        case kAllPass: {
            double a8 = s / (2 * bandwidth);
            k = {1 - a8, -2 * c, 1 + a8, 1 + a8, -2 * c, 1 - a8};
            break;
        }
        default: return;
        }
    }
    b0_ = k.b0 / k.a0;
    b1_ = k.b1 / k.a0;
    b2_ = k.b2 / k.a0;
    a1_ = k.a1 / k.a0;
    a2_ = k.a2 / k.a0;
}

} // namespace trommik2
