#pragma once

#include <cstddef>

namespace trommik2::test {

// Counts the heap allocations the calling thread makes while it lives. The
// counting operator new of this test binary is in HeapCounter.cpp.
class HeapCounter {
  public:
    HeapCounter();
    ~HeapCounter();
    HeapCounter(const HeapCounter&) = delete;
    HeapCounter& operator=(const HeapCounter&) = delete;

    size_t allocations() const;
    size_t bytes() const;
};

} // namespace trommik2::test
