#include "TransportFollower.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "sequencer/Sequencer.h"

namespace trommik2 {

namespace {

// How far the host's report may lie from where the pattern got to by counting
// frames before it moves the pattern: hosts round their bar and beat, and the
// pattern's bar is a whole number of samples. Under a millisecond.
constexpr int64_t kSlack = 32;

int64_t wrapped(int64_t x, int64_t cycle) { return ((x % cycle) + cycle) % cycle; }

} // namespace

TransportFollower::TransportFollower(double sampleRate) : sampleRate_(sampleRate) {}

int64_t TransportFollower::barLength() const { return Sequencer::barLength(tempo_, static_cast<float>(sampleRate_)); }

void TransportFollower::setSampleRate(double sampleRate) {
    if (!(sampleRate > 0.0) || sampleRate == sampleRate_)
        return;
    const int64_t before = cycle();
    sampleRate_ = sampleRate;
    position_ = position_ * cycle() / before;
    idle_ = 0;
}

void TransportFollower::apply(const HostTimePosition& p) {
    if (p.hasBeatUnit && p.beatUnit > 0)
        beatUnit_ = p.beatUnit;
    if (p.hasBeatsPerBar && p.beatsPerBar > 0.0f)
        beatsPerBar_ = p.beatsPerBar;
    if (p.hasBpm && p.bpm > 0.0f)
        hostBpm_ = p.bpm;
    if (p.hasSpeed)
        speed_ = p.speed;
    const bool wasRolling = rolling_;
    // Running backwards is not playing: the pattern waits.
    rolling_ = speed_ > 0.0f;
    if (!wasRolling && rolling_)
        idle_ = 0;
    const float quartersPerMinute = hostBpm_ * 4.0f / static_cast<float>(beatUnit_);
    const int64_t before = cycle();
    tempo_ = quartersPerMinute * (rolling_ ? speed_ : 1.0f);
    // A new tempo alone keeps the pattern's place in its bar.
    position_ = position_ * cycle() / before;

    double quarters = 0.0;
    if (p.hasBar || p.hasBarBeat)
        quarters = (static_cast<double>(p.bar) * beatsPerBar_ + p.barBeat) * 4.0 / beatUnit_;
    else if (p.hasFrame)
        quarters = static_cast<double>(p.frame) / sampleRate_ * quartersPerMinute / 60.0;
    else
        return;
    const int64_t target = placeOf(quarters);
    const int64_t distance = std::llabs(target - position_);
    const bool close = std::min(distance, cycle() - distance) <= kSlack;
    if (!(wasRolling && rolling_ && close))
        position_ = target;
}

int64_t TransportFollower::placeOf(double quarters) const {
    const double bars = std::floor(quarters / 4.0);
    const auto inBar = static_cast<int64_t>((quarters / 4.0 - bars) * static_cast<double>(barLength()));
    const auto bar = static_cast<int64_t>(std::fmod(bars, kCycleBars));
    return wrapped(bar * barLength() + inBar, cycle());
}

void TransportFollower::advance(int frames) {
    if (rolling_)
        position_ = wrapped(position_ + frames, cycle());
    else
        idle_ = wrapped(idle_ + frames, cycle());
}

} // namespace trommik2
