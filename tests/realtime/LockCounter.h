#pragma once

#include <pthread.h>

#include <cstddef>

// Counts mutex and read-write lock acquisitions made by the calling thread while
// counting is on, except those of one mutex (the process lock). The counting
// pthread functions live in LockCounter.cpp of this test binary and forward to
// the real ones.
namespace locks {

void startCounting(const pthread_mutex_t* excluded);
size_t stopCounting();

// From now on the calling thread's allocation gate (AllocationCounter.h) is
// open exactly while it holds mutex, at any depth; nullptr stops that.
void gateAllocationsOn(const pthread_mutex_t* mutex);

} // namespace locks
