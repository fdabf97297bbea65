#include "BenchResult.h"

#include <cstdio>
#include <cstring>

void BenchResult::add(const char* key, double value) {
    if (metricCount == kMaxMetrics)
        return;
    Metric& m = metrics[metricCount++];
    std::snprintf(m.key, sizeof m.key, "%s", key);
    m.value = value;
}

double BenchResult::get(const char* key) const {
    for (size_t i = 0; i < metricCount; ++i)
        if (std::strcmp(metrics[i].key, key) == 0)
            return metrics[i].value;
    return -1.0;
}
