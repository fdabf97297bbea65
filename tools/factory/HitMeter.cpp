#include "HitMeter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace trommik2 {

namespace {

double decibels(double ratio) { return ratio > 0.0 ? 20.0 * std::log10(ratio) : -200.0; }

double rms(const std::vector<double>& x, size_t from, size_t to) {
    double sum = 0.0;
    to = std::min(to, x.size());
    for (size_t i = from; i < to; ++i)
        sum += x[i] * x[i];
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

double zeroCrossingPitch(const std::vector<double>& x, size_t from, size_t to, int rate) {
    to = std::min(to, x.size());
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i)
        if ((x[i - 1] < 0.0) != (x[i] < 0.0))
            ++crossings;
    return to > from ? crossings * 0.5 * rate / static_cast<double>(to - from) : 0.0;
}

double loudest(const std::vector<double>& x, int rate) {
    const size_t window = static_cast<size_t>(rate) * 150 / 1000;
    const size_t hop = static_cast<size_t>(rate) / 100;
    double top = 0.0;
    for (size_t from = 0; from < x.size(); from += hop)
        top = std::max(top, rms(x, from, from + window));
    return top;
}

// One second-order section of the weighting (direct form I).
struct Section {
    double b0, b1, b2, a1, a2;
    void run(std::vector<double>& x) const {
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        for (double& v : x) {
            const double y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1, x1 = v, y2 = y1, y1 = y, v = y;
        }
    }
};

// A high-pass at 100 Hz and a high shelf of +4 dB from 1.5 kHz.
std::vector<double> weighted(std::vector<double> x, int rate) {
    const double pi = std::numbers::pi;
    double w = 2.0 * pi * 100.0 / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * 0.7071);
    double a0 = 1.0 + alpha;
    Section{(1 + c) / 2 / a0, -(1 + c) / a0, (1 + c) / 2 / a0, -2 * c / a0, (1 - alpha) / a0}.run(x);
    const double a = std::pow(10.0, 4.0 / 40.0);
    w = 2.0 * pi * 1500.0 / rate, c = std::cos(w);
    const double beta = 2.0 * std::sqrt(a) * std::sin(w) / 2.0 * std::sqrt(2.0);
    a0 = (a + 1) - (a - 1) * c + beta;
    Section{a * ((a + 1) + (a - 1) * c + beta) / a0, -2 * a * ((a - 1) + (a + 1) * c) / a0,
            a * ((a + 1) + (a - 1) * c - beta) / a0, 2 * ((a - 1) - (a + 1) * c) / a0,
            ((a + 1) - (a - 1) * c - beta) / a0}
        .run(x);
    return x;
}

} // namespace

HitFigures HitMeter::measure(const std::vector<float>& interleaved, int rate) {
    HitFigures f;
    const size_t frames = interleaved.size() / 2;
    std::vector<double> mid(frames);
    double sum = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double l = interleaved[2 * i];
        const double r = interleaved[2 * i + 1];
        f.finite = f.finite && std::isfinite(l) && std::isfinite(r);
        f.peakLeft = std::max(f.peakLeft, std::fabs(l));
        f.peakRight = std::max(f.peakRight, std::fabs(r));
        mid[i] = 0.5 * (l + r);
        sum += mid[i];
    }
    f.peak = std::max(f.peakLeft, f.peakRight);
    if (frames == 0 || f.peak <= 0.0)
        return f;
    f.offset = sum / static_cast<double>(frames) / f.peak;

    f.loudnessDb = decibels(loudest(mid, rate));
    f.weightedDb = decibels(loudest(weighted(mid, rate), rate));

    const double quiet = f.peak * 1e-3;
    size_t last = 0;
    for (size_t i = 0; i < frames; ++i)
        if (std::fabs(mid[i]) > quiet)
            last = i;
    size_t onset = 0;
    while (onset < frames && std::fabs(mid[onset]) < f.peak * 0.01)
        ++onset;
    f.ringMs = 1000.0 * static_cast<double>(last - std::min(last, onset)) / rate;
    const size_t tail = static_cast<size_t>(rate) / 20;
    f.tailDb = decibels(rms(mid, frames > tail ? frames - tail : 0, frames) / f.peak);

    const size_t ms = static_cast<size_t>(rate) / 1000;
    const size_t windows[3][2] = {{5, 30}, {40, 90}, {100, 200}};
    for (int w = 0; w < 3; ++w)
        f.pitchHz[w] = zeroCrossingPitch(mid, onset + windows[w][0] * ms, onset + windows[w][1] * ms, rate);
    std::vector<double> slope(frames);
    for (size_t i = 1; i < frames; ++i)
        slope[i] = mid[i] - mid[i - 1];
    const double level = rms(mid, onset, onset + 100 * ms);
    if (level > 0.0)
        f.brightnessHz = rms(slope, onset, onset + 100 * ms) / level * rate / (2.0 * std::numbers::pi);
    return f;
}

std::string HitMeter::describe(const HitFigures& f) {
    char line[256];
    std::snprintf(
        line, sizeof line,
        "peak %.3f (L %.3f R %.3f) loud %6.1f dB weighted %6.1f dB  ring %5.0f ms  tail %6.1f dB  offset %+.4f  "
        "pitch %4.0f/%4.0f/%4.0f Hz  bright %5.0f Hz%s",
        f.peak, f.peakLeft, f.peakRight, f.loudnessDb, f.weightedDb, f.ringMs, f.tailDb, f.offset, f.pitchHz[0],
        f.pitchHz[1], f.pitchHz[2], f.brightnessHz, f.finite ? "" : "  NOT FINITE");
    return line;
}

} // namespace trommik2
