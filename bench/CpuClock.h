#pragma once

#include <ctime>

// The processor time the calling thread has used, in seconds: what a render
// costs, whatever else the machine runs meanwhile.
inline double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
