#pragma once

#include <string>

#include "BenchResult.h"

// How long rendering may have to wait for the user interface and for other
// instances: what non-audio threads do while blocks render.
class LockCases {
  public:
    // In-process, with the content library beside the module: while a thread
    // renders, the user-interface thread loads every kit, setup and pattern,
    // pastes instruments and track data and switches synthesis and effect
    // types; the longest process-lock hold of each kind of work, in ms.
    static BenchResult userInterfaceHolds(const std::string& modulePath);
    // Through the entry point: one instance renders on a thread of its own
    // while another is opened and closed; the longest render call then, against
    // the longest without opens, in ms of wall time.
    static BenchResult renderWhileOpening(const std::string& modulePath);
};
