#include "Dialogs.h"

#include <atomic>

#include "StderrDialogs.h"

namespace trommik2 {

namespace {

StderrDialogs fallback;
std::atomic<Dialogs*> installed{nullptr};

} // namespace

Dialogs& Dialogs::current() {
    Dialogs* dialogs = installed.load();
    return dialogs ? *dialogs : fallback;
}

void Dialogs::install(Dialogs* dialogs) { installed.store(dialogs); }

} // namespace trommik2
