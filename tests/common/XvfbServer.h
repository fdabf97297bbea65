#pragma once

#include <sys/types.h>

namespace trommik2 {

// An Xvfb server of the test's own (1280 × 1024, 24 bits), started with
// -displayfd and a timeout, named in DISPLAY while it runs, stopped at the end.
// Every test binary that links this file gets one per process.
class XvfbServer {
  public:
    // False (with a message on stderr) when the server did not come up in time.
    bool start();
    void stop();

  private:
    pid_t pid_ = -1;
};

} // namespace trommik2
