#include "QuitSignal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t quitRequested = 0;

extern "C" void requestQuit(int) { quitRequested = 1; }

} // namespace

void QuitSignal::install() {
    struct sigaction action = {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool QuitSignal::raised() { return quitRequested != 0; }
