#pragma once

#include <string>

class HostInstance;

// The instance's state between runs: a setup document in the user's data folder
// ($XDG_DATA_HOME/trommik2/session.tm2set, ~/.local/share when that is unset),
// replaced atomically on every save.
class SessionStore {
  public:
    static constexpr const char* kFileName = "session.tm2set";

    // The folder and file from the environment; empty when neither
    // XDG_DATA_HOME nor HOME is set.
    static std::string defaultPath();

    explicit SessionStore(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // User-interface thread: saves the state (operation 6).
    bool save(HostInstance& instance, std::string* error) const;
    // User-interface thread: loads the saved state (operation 5). False with an
    // empty error when there is none yet. A file the module rejects is moved
    // aside (".unreadable"), so that the next save does not destroy it.
    bool restore(HostInstance& instance, std::string* error) const;

  private:
    std::string path_;
};
