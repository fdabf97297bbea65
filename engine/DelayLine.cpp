#include "DelayLine.h"

#include <algorithm>

namespace trommik2 {

void DelayLine::require(int d) {
    if (d < 1)
        d = 1;
    if (length() > d)
        return;
    buffer_.assign(static_cast<size_t>(d) + kHeadroom, 0.0f);
    data_ = buffer_.data();
    length_ = static_cast<int>(buffer_.size());
    writeIndex_ = 0;
    wrapped_ = false;
}

void DelayLine::clear() {
    std::fill_n(buffer_.begin(), wrapped_ ? length_ : writeIndex_, 0.0f);
    writeIndex_ = 0;
    wrapped_ = false;
}

} // namespace trommik2
