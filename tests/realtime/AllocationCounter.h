#pragma once

#include <cstddef>

// Counts heap allocations made by the calling thread while counting is on.
// The counting operator new lives in AllocationCounter.cpp of this test binary.
namespace allocation {

void startCounting();
size_t stopCounting();
// The bytes requested since counting started.
size_t countedBytes();

} // namespace allocation
