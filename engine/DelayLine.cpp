#include "DelayLine.h"

#include <algorithm>
#include <cstring>

namespace trommik2 {

void DelayLine::allocate(int capacity, int length) {
    buffer_ = std::make_unique_for_overwrite<float[]>(static_cast<size_t>(capacity));
    data_ = buffer_.get();
    capacity_ = capacity;
    length_ = length;
    std::fill_n(data_, length_, 0.0f);
    writeIndex_ = 0;
    wrapped_ = false;
}

void DelayLine::require(int d) {
    d = std::max(d, 1);
    if (length_ <= d)
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
    if (length <= length_)
        return;
    const int added = length - length_;
    if (wrapped_) {
        std::memmove(data_ + writeIndex_ + added, data_ + writeIndex_,
                     sizeof(float) * static_cast<size_t>(length_ - writeIndex_));
        std::fill_n(data_ + writeIndex_, added, 0.0f);
    } else {
        std::fill_n(data_ + length_, added, 0.0f);
    }
    length_ = length;
}

void DelayLine::clear() {
    std::fill_n(data_, wrapped_ ? length_ : writeIndex_, 0.0f);
    writeIndex_ = 0;
    wrapped_ = false;
}

} // namespace trommik2
