#pragma once

#include <string>
#include <vector>

namespace trommik2 {

// Figures of rendered audio that stand in for listening: level, loudness,
// offset, how long it rings, and where its energy lies.
struct HitFigures {
    // Largest magnitude of either channel.
    double peak = 0.0;
    // Loudness of the mid signal over its loudest 150 ms, dB below full scale:
    // as it is, and weighted the way the ear weighs it (lows below 100 Hz
    // count less, presence above 1.5 kHz more), which is what kits balance.
    double loudnessDb = -200.0;
    double weightedDb = -200.0;
    // Mean of the mid signal relative to the peak.
    double offset = 0.0;
    // Time until the mid signal stays 60 dB below the peak.
    double ringMs = 0.0;
    // Level of the last 50 ms relative to the peak, in dB.
    double tailDb = -200.0;
    // Zero-crossing pitch of the mid signal in three windows after the onset (Hz).
    double pitchHz[3] = {};
    // Where the energy lies: the frequency of a sine with the same slope-to-level ratio.
    double brightnessHz = 0.0;
    // Left and right peaks, which show the pan.
    double peakLeft = 0.0;
    double peakRight = 0.0;
    bool finite = true;
};

class HitMeter {
  public:
    // interleaved: left and right of every frame.
    static HitFigures measure(const std::vector<float>& interleaved, int rate);
    // One line of the figures, for reports.
    static std::string describe(const HitFigures& f);
};

} // namespace trommik2
