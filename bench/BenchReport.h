#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "BenchResult.h"

// Prints the benchmark's figures as a table and writes them as JSON.
class BenchReport {
  public:
    explicit BenchReport(std::vector<BenchResult> results) : results_(std::move(results)) {}

    void print(std::FILE* out) const;
    bool writeJson(const std::string& path) const;

    // The processor's model name and the number of online processors.
    static std::string cpuModel();
    static unsigned coreCount();

  private:
    void printEffects(std::FILE* out) const;
    // How long rendering may wait: for the user interface, for other instances.
    void printWaits(std::FILE* out) const;

    std::vector<BenchResult> results_;
};
