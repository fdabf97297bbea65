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

    // The lines for a block, held in registers rather than memory from sample
    // to sample; keep() takes the position back.
    struct Cursor {
        float* data;
        uint32_t mask;
        uint32_t write;

        // The sample written to `line` d samples ago (1 <= d <= longest).
        float read(int line, int d) const { return *at(line, d); }
        void put(int line, float x) { *at(line, 0) = x; }
        // After every line was written for the sample.
        void advance() { ++write; }
        // Where the sample written d samples ago lies (d = 0: where the next
        // one goes).
        float* at(int line, int d) const { return data + offset(line) + ((write - static_cast<uint32_t>(d)) & mask); }
        // How many samples from the one written d samples ago (d = 0: from
        // where the next one goes) lie in one piece before the buffer wraps.
        int untilWrap(int d) const { return static_cast<int>(mask + 1u - ((write - static_cast<uint32_t>(d)) & mask)); }
        size_t offset(int line) const { return static_cast<size_t>(line) * (mask + 1u); }
    };
    Cursor cursor() const { return {data_.get(), mask_, write_}; }
    void keep(const Cursor& cursor) { write_ = cursor.write; }

  private:
    std::unique_ptr<float[]> data_;
    int lines_ = 0;
    uint32_t mask_ = 0;
    uint32_t write_ = 0;
};

} // namespace trommik2
