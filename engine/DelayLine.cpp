#include "DelayLine.h"

#include <algorithm>
#include <cstring>

namespace trommik2 {

void DelayLine::allocate(int capacity, int length) {
    buffer_ = std::make_unique_for_overwrite<float[]>(static_cast<size_t>(capacity));
    capacity_ = capacity;
    state_.data = buffer_.get();
    state_.length = length;
    std::fill_n(state_.data, length, 0.0f);
    state_.writeIndex = 0;
    state_.wrapped = false;
}

void DelayLine::require(int d) {
    d = std::max(d, 1);
    if (state_.length <= d)
        allocate(d + kHeadroom, d + kHeadroom);
}

void DelayLine::reserve(int d) {
    d = std::max(d, 1);
    if (capacity_ <= d)
        allocate(d + kHeadroom, 1);
}

// The samples from the write index to the end are the oldest: they move to the
// new end, and the room between holds silence older than anything written.
void DelayLine::extend(int d) {
    const int length = std::min(capacity_, std::max(d, 1) + kHeadroom);
    Cursor& s = state_;
    if (length <= s.length)
        return;
    const int added = length - s.length;
    if (s.wrapped) {
        std::memmove(s.data + s.writeIndex + added, s.data + s.writeIndex,
                     sizeof(float) * static_cast<size_t>(s.length - s.writeIndex));
        std::fill_n(s.data + s.writeIndex, added, 0.0f);
    } else {
        std::fill_n(s.data + s.length, added, 0.0f);
    }
    s.length = length;
}

void DelayLine::clear() {
    std::fill_n(state_.data, state_.wrapped ? state_.length : state_.writeIndex, 0.0f);
    state_.writeIndex = 0;
    state_.wrapped = false;
}

} // namespace trommik2
