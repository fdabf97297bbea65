#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ChildProcess.h"

// A JACK server of a test's own: the dummy backend (no sound card needed) under
// a unique name, which clients find through JACK_DEFAULT_SERVER. Stopped when
// the object goes; jackd itself is bounded by a timeout in case we die first.
class JackServer {
  public:
    JackServer(const std::string& folder, int rate, int period, int lifetimeSeconds = 600)
        : name_("trommik2-" + std::to_string(getpid()) + "-" + std::to_string(next()) + "-" + std::to_string(period)) {
        forgetStaleServers();
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"timeout", "-k", "3", std::to_string(lifetimeSeconds), "jackd", "-n", name_, "-t",
                                     "5000", "-d", "dummy", "-r", std::to_string(rate), "-p", std::to_string(period)},
            std::vector<std::string>{}, folder + "/" + name_);
        ChildProcess wait({"jack_wait", "-w", "-t", "20", "-s", name_}, {}, folder + "/" + name_ + "-wait");
        ready_ = server_->started() && wait.wait(30.0) == 0 && server_->running();
    }

    // A server that some clients left behind may hang on its way out; the
    // timeout kills it three seconds after passing on our request.
    ~JackServer() { server_->stop(10.0); }

    bool ready() const { return ready_; }
    // The setting that points a client at this server.
    std::string setting() const { return "JACK_DEFAULT_SERVER=" + name_; }
    const std::string& name() const { return name_; }

  private:
    // JACK frees a server's place in its registry (eight places) only when the
    // server ends cleanly; one that was killed, or lingers as a zombie nobody
    // reaps, keeps it, until the machine starts no server at all. When no
    // server runs, every place is stale: the registry starts afresh.
    static void forgetStaleServers() {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (const auto& process : fs::directory_iterator("/proc", ec)) {
            std::ifstream stat(process.path() / "stat");
            std::string pid, command, state;
            if (stat >> pid >> command >> state && command == "(jackd)" && state != "Z")
                return;
        }
        for (const auto& entry : fs::directory_iterator("/dev/shm", ec))
            if (entry.path().filename().string().rfind("jack-", 0) == 0)
                fs::remove(entry.path(), ec);
    }

    static int next() {
        static std::atomic<int> counter{0};
        return counter++;
    }

    std::string name_;
    std::unique_ptr<ChildProcess> server_;
    bool ready_ = false;
};
