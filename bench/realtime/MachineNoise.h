#pragma once

#include <cstdint>

#include "CallbackTimes.h"

// What this machine does to a callback that always has the same work: a fixed
// computation of a given processor time, run once per buffer period and timed
// like the audio callback. Its worst case is the machine's share of the
// callback's worst case (other processes, the hypervisor), not ours.
class MachineNoise {
  public:
    // Calling thread; takes `seconds`.
    static void measure(double seconds, double workMicroseconds, double periodMicroseconds, CallbackTimes* times);

    static int64_t threadCpuNanoseconds();

  private:
    static double work(int64_t iterations);
};
