#include "CallbackTimes.h"

#include <algorithm>

void CallbackTimes::record(int64_t nanoseconds) {
    ++bins_[static_cast<size_t>(std::clamp<int64_t>(nanoseconds / 1000, 0, kBins - 1))];
    ++count_;
    total_ += nanoseconds;
    worst_ = std::max(worst_, nanoseconds);
}

double CallbackTimes::averageMicroseconds() const {
    return count_ ? static_cast<double>(total_) / static_cast<double>(count_) / 1000.0 : 0.0;
}

double CallbackTimes::percentileMicroseconds(double p) const {
    const auto wanted = static_cast<int64_t>(p * static_cast<double>(count_));
    int64_t seen = 0;
    for (int bin = 0; bin < kBins; ++bin) {
        seen += bins_[static_cast<size_t>(bin)];
        if (seen >= wanted)
            return bin + 1;
    }
    return kBins;
}
