#include "DelayLine.h"

#include <algorithm>

#include "Dsp.h"

namespace trommik2 {

void DelayLine::require(int d) {
    if (d < 1)
        d = 1;
    if (length() > d)
        return;
    buffer_.assign(static_cast<size_t>(d) + kHeadroom, 0.0f);
    writeIndex_ = 0;
}

void DelayLine::clear() {
    std::fill(buffer_.begin(), buffer_.end(), 0.0f);
    writeIndex_ = 0;
}

float DelayLine::position(float delay) const {
    float p = static_cast<float>(writeIndex_) - delay;
    while (p < 0.0f)
        p += static_cast<float>(length());
    return p;
}

DelayLine::Tap DelayLine::tap(float delay) const {
    float p = position(delay);
    int i = dsp::roundInt(p);
    float f = p - static_cast<float>(i);
    int n = length();
    i %= n;
    int next = i + 1 < n ? i + 1 : 0;
    return {buffer_[static_cast<size_t>(i)], buffer_[static_cast<size_t>(next)], f};
}

float DelayLine::readLinear(float delay) const {
    Tap t = tap(delay);
    return t.here + t.fraction * (t.next - t.here);
}

float DelayLine::readAllpass(float delay, float& previous) const {
    Tap t = tap(delay);
    previous = t.here + (t.next - previous) * t.fraction / (2.0f - t.fraction);
    return previous;
}

} // namespace trommik2
