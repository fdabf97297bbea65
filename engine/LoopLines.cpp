#include "LoopLines.h"

#include <algorithm>
#include <bit>

namespace trommik2 {

void LoopLines::require(int lines, int longest) {
    const uint32_t size = std::bit_ceil(static_cast<uint32_t>(std::max(longest, 1)) + 1u);
    if (data_ && lines <= lines_ && size <= mask_ + 1u)
        return;
    lines_ = lines;
    mask_ = size - 1u;
    data_ = std::make_unique<float[]>(static_cast<size_t>(lines) * size);
    write_ = 0;
}

void LoopLines::clear() {
    if (!data_)
        return;
    const size_t written = std::min<size_t>(write_, mask_ + 1u);
    for (int line = 0; line < lines_; ++line)
        std::fill_n(data_.get() + cursor().offset(line), written, 0.0f);
    write_ = 0;
}

} // namespace trommik2
