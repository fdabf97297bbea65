#pragma once

#include <cstdint>
#include <memory>

namespace trommik2 {

// Delay lines that are all written once per sample: one write position and a
// power-of-two mask serve every line, so a read or a write is an index and a
// mask with no wrap test. Allocation happens before audio runs; clearing costs
// only what has been written since the last clear.
class LoopLines {
  public:
    // Room for `lines` lines with delays of up to `longest` samples. Keeps the
    // lines when they are long enough already, else allocates and clears.
    void require(int lines, int longest);
    void clear();

    // The sample written to `line` d samples ago (1 <= d <= longest).
    float read(int line, int d) const { return data_[offset(line) + ((write_ - static_cast<uint32_t>(d)) & mask_)]; }
    void write(int line, float x) { data_[offset(line) + (write_ & mask_)] = x; }
    // After every line was written for the sample.
    void advance() { ++write_; }

  private:
    size_t offset(int line) const { return static_cast<size_t>(line) * (mask_ + 1u); }

    std::unique_ptr<float[]> data_;
    int lines_ = 0;
    uint32_t mask_ = 0;
    uint32_t write_ = 0;
};

} // namespace trommik2
