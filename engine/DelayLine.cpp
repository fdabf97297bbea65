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

float DelayLine::readLinear(float delay) const {
    float p = position(delay);
    int i = dsp::roundInt(p);
    float f = p - static_cast<float>(i);
    int n = length();
    i %= n;
    int next = i + 1 < n ? i + 1 : 0;
    float x0 = buffer_[static_cast<size_t>(i)];
    return x0 + f * (buffer_[static_cast<size_t>(next)] - x0);
}

float DelayLine::readAllpass(float delay, float& previous) const {
    float p = position(delay);
    int i = dsp::roundInt(p);
    float f = p - static_cast<float>(i);
    int n = length();
    i %= n;
    int next = i + 1 < n ? i + 1 : 0;
    previous = buffer_[static_cast<size_t>(i)] + (buffer_[static_cast<size_t>(next)] - previous) * f / (2.0f - f);
    return previous;
}

} // namespace trommik2
