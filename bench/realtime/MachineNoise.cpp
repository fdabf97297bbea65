#include "MachineNoise.h"

#include <ctime>

#include <chrono>
#include <thread>

int64_t MachineNoise::threadCpuNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

double MachineNoise::work(int64_t iterations) {
    volatile double x = 0.0;
    for (int64_t i = 0; i < iterations; ++i)
        x = x * 0.999 + static_cast<double>(i);
    return x;
}

void MachineNoise::measure(double seconds, double workMicroseconds, double periodMicroseconds, CallbackTimes* times) {
    constexpr int64_t kCalibration = 2000000;
    const int64_t start = threadCpuNanoseconds();
    work(kCalibration);
    const double perIteration = static_cast<double>(threadCpuNanoseconds() - start) / kCalibration;
    const auto iterations = static_cast<int64_t>(workMicroseconds * 1000.0 / perIteration);
    const auto period = std::chrono::duration<double, std::micro>(periodMicroseconds);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (auto next = std::chrono::steady_clock::now(); next < end;
         next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(period)) {
        const int64_t before = threadCpuNanoseconds();
        work(iterations);
        times->record(threadCpuNanoseconds() - before);
        std::this_thread::sleep_until(next);
    }
}
