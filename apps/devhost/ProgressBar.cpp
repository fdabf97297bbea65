#include "ProgressBar.h"

#include <unistd.h>

#include <cstdio>

ProgressBar::ProgressBar(int64_t total, bool worthShowing)
    : total_(total), visible_(worthShowing && total > 0 && isatty(STDERR_FILENO)) {}

ProgressBar::~ProgressBar() {
    if (visible_ && lastPercent_ >= 0)
        std::fputs("\n", stderr);
}

void ProgressBar::update(int64_t done) {
    if (!visible_)
        return;
    int percent = static_cast<int>(done * 100 / total_);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    constexpr int kWidth = 40;
    int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", kWidth - filled, "",
                 percent);
    std::fflush(stderr);
}
