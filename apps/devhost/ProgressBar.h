#pragma once

#include <cstdint>

// A progress bar on stderr, drawn only when stderr is a terminal and the work is long.
class ProgressBar {
  public:
    ProgressBar(int64_t total, bool worthShowing);
    ~ProgressBar();
    void update(int64_t done);

  private:
    int64_t total_;
    bool visible_;
    int lastPercent_ = -1;
};
