#pragma once

#include <cstddef>

// One benchmark case's figures, plain data so that a child process can hand
// them to the parent through a pipe.
struct BenchResult {
    static constexpr size_t kMaxMetrics = 16;

    struct Metric {
        char key[40];
        double value;
    };

    char name[32] = {};
    // How the case reached the engine ("entry point", "in-process"), or why it was skipped.
    char note[160] = {};
    bool skipped = false;
    size_t metricCount = 0;
    Metric metrics[kMaxMetrics] = {};

    void add(const char* key, double value);
    // The value of a metric, or -1 when the case has none of that name.
    double get(const char* key) const;
};
