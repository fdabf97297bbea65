#pragma once

// SIGINT and SIGTERM ask the program to quit: the handler only sets a flag,
// and the main loop saves and ends.
class QuitSignal {
  public:
    // User-interface thread, once.
    static void install();
    // Any thread.
    static bool raised();
};
