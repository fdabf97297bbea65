#include "HelpViewer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "Configuration.h"
#include "platform/Dialogs.h"

extern char** environ;

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBaseName = "Trommik2";
constexpr const char* kCaption = "Error";
constexpr const char* kNotFound = "Could not find help file.";
constexpr const char* kNotOpened = "Could not open help file.";

void tell(const char* text) { Dialogs::current().message(text, kCaption, MessageIcon::Warning, false); }

// A file URL with the characters a URL cannot carry as they are escaped.
std::string fileUrl(const std::string& path, const std::string& topic) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (c == '%' || c == ' ' || c == '#' || c == '?' || c < 0x20) {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        } else {
            url += static_cast<char>(c);
        }
    }
    return topic.empty() ? url : url + "#" + topic;
}

} // namespace

HelpViewer::~HelpViewer() {
    // Browsers that still run are left to themselves; those that ended are collected.
    for (pid_t pid : viewers_)
        waitpid(pid, nullptr, WNOHANG);
}

std::string HelpViewer::language(const Configuration& configuration) {
    std::string chosen = configuration.readString("Help", "Language", "", 64);
    if (chosen.empty()) {
        const char* lang = std::getenv("LANG");
        chosen = lang ? lang : "";
        chosen = chosen.substr(0, chosen.find_first_of(".@"));
    }
    return chosen == "C" || chosen == "POSIX" ? "" : chosen;
}

std::vector<std::string> HelpViewer::candidates(const std::string& root, const std::string& language) {
    std::vector<std::string> suffixes;
    if (!language.empty()) {
        size_t cut = language.find('_');
        suffixes = {language, language.substr(0, cut), cut == std::string::npos ? "" : language.substr(cut + 1)};
    }
    suffixes.push_back("");
    const fs::path folder = fs::path(root) / "Trommik2" / "Help";
    std::vector<std::string> names;
    for (const std::string& suffix : suffixes) {
        std::string name = (folder / (suffix.empty() ? std::string(kBaseName) + ".html"
                                                     : std::string(kBaseName) + "_" + suffix + ".html"))
                               .string();
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

bool HelpViewer::open(const std::string& topic) {
    poll();
    std::string manual;
    for (const std::string& candidate : candidates(root_, language(configuration_))) {
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec)) {
            manual = fs::absolute(candidate, ec).string();
            break;
        }
    }
    if (manual.empty()) {
        tell(kNotFound);
        return false;
    }
    std::string url = fileUrl(manual, topic);
    char* argv[] = {const_cast<char*>(kViewer), url.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int failed = posix_spawnp(&pid, kViewer, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        tell(kNotOpened);
        return false;
    }
    viewers_.push_back(pid);
    return true;
}

void HelpViewer::poll() {
    for (auto it = viewers_.begin(); it != viewers_.end();) {
        int status = 0;
        pid_t ended = waitpid(*it, &status, WNOHANG);
        if (ended == 0) {
            ++it;
            continue;
        }
        it = viewers_.erase(it);
        // A host that ignores its children's ends leaves nothing to collect.
        if (ended < 0)
            continue;
        // A viewer that could not show the page says so by its exit status.
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            tell(kNotOpened);
    }
}

} // namespace trommik2
