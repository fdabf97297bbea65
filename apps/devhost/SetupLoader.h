#pragma once

#include <string>

class HostInstance;

// Loads the setup a user names on the command line into an instance.
class SetupLoader {
  public:
    // A setup document given as a file or as a name in the setup folder beside
    // the module; empty setup loads nothing. Empty on success, else what failed.
    static std::string load(HostInstance& instance, const std::string& setup, const std::string& modulePath);
};
