#pragma once

#include <string>

class HostInstance;

// The development host's project file for one instance's state: a RIFF file of
// form 'T2HS' whose 'stat' chunk holds the state text.
class StateFile {
  public:
    // Saves the instance's state to path (atomically); false with error set on failure.
    static bool save(HostInstance& instance, const std::string& path, std::string* error);
    // Loads path into the instance; false with error set on failure.
    static bool load(HostInstance& instance, const std::string& path, std::string* error);
};
