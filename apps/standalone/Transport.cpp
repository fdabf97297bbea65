#include "Transport.h"

namespace {

constexpr int kCycleBars = 12;
constexpr int kStepsPerBar = 32;

} // namespace

Transport::Transport(int sampleRate, float tempo)
    : sampleRate_(sampleRate), tempo_(tempo), cycle_(kCycleBars * barLength(tempo)) {}

int64_t Transport::barLength(float tempo) const {
    const auto bar = static_cast<int64_t>(60.0f / (tempo * 0.25f) * static_cast<float>(sampleRate_));
    return bar > kStepsPerBar ? bar : kStepsPerBar;
}

void Transport::start() {
    position_ = 0;
    playing_ = true;
}

void Transport::setSongPosition(int sixteenths) {
    const int64_t bar = barLength(tempo_);
    const int64_t step = bar / kStepsPerBar;
    position_ = (sixteenths / 16 * bar + sixteenths % 16 * 2 * step) % cycle_;
}

void Transport::setTempo(float bpm) {
    if (bpm == tempo_ || !(bpm > 0.0f))
        return;
    const int64_t cycle = kCycleBars * barLength(bpm);
    position_ = position_ * cycle / cycle_;
    cycle_ = cycle;
    tempo_ = bpm;
}

int Transport::chunk(int wanted) const {
    if (playing_)
        return wanted;
    const auto quiet = static_cast<int>(barLength(tempo_) / kStepsPerBar - 1);
    return wanted < quiet ? wanted : (quiet > 0 ? quiet : 1);
}

void Transport::advance(int frames) {
    if (playing_)
        position_ = (position_ + frames) % cycle_;
}
