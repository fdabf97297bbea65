#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// A program run by a test or benchmark: its output goes to files, extra
// environment variables are added to ours, and it never outlives its timeout.
class ChildProcess {
  public:
    // Starts argv[0] (looked up in PATH) with "NAME=value" settings added;
    // output to outputPrefix + ".out" and ".err".
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& settings,
                 const std::string& outputPrefix)
        : out_(outputPrefix + ".out"), err_(outputPrefix + ".err") {
        std::vector<std::string> env = settings;
        for (char** e = environ; *e; ++e) {
            std::string entry(*e);
            bool replaced = false;
            for (const std::string& s : settings)
                replaced = replaced || entry.compare(0, s.find('=') + 1, s, 0, s.find('=') + 1) == 0;
            if (!replaced)
                env.push_back(entry);
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> args = pointers(argv);
        std::vector<char*> envp = pointers(env);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    bool running() {
        if (pid_ <= 0)
            return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_)
            return true;
        finish(status);
        return false;
    }
    // The exit status, or -1 when it had to be killed after seconds (or died of a signal).
    int wait(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (running()) {
            if (std::chrono::steady_clock::now() > end) {
                stop();
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status_;
    }
    // SIGTERM, then SIGKILL after graceSeconds.
    void stop(double graceSeconds = 2.0) {
        if (!running())
            return;
        kill(pid_, SIGTERM);
        for (int i = 0; i < graceSeconds * 100 && running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (running()) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            finish(status);
        }
    }
    void signal(int number) {
        if (running())
            kill(pid_, number);
    }
    std::string output() const { return read(out_); }
    std::string errors() const { return read(err_); }

  private:
    static std::vector<char*> pointers(const std::vector<std::string>& words) {
        std::vector<char*> p;
        for (const std::string& w : words)
            p.push_back(const_cast<char*>(w.c_str()));
        p.push_back(nullptr);
        return p;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void finish(int status) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
    }

    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    int status_ = -1;
};
