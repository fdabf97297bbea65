#pragma once

#include <cstddef>

// Counts heap allocations made by the calling thread while counting is on.
// The counting operator new lives in AllocationCounter.cpp of this test binary.
namespace allocation {

void startCounting();
size_t stopCounting();
// The bytes requested since counting started.
size_t countedBytes();

// Allocations and releases, counted only while a gate is open: for what a
// thread does while it holds a lock. The gate starts shut.
struct Counts {
    size_t allocations = 0;
    size_t releases = 0;
};
void startGatedCounting();
void openGate(bool open);
Counts stopGatedCounting();

} // namespace allocation
