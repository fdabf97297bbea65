#include "SessionStore.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "apps/common/HostInstance.h"
#include "apps/common/TextFile.h"

namespace fs = std::filesystem;

std::string SessionStore::defaultPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path folder;
    // An XDG folder must be absolute; a relative one is ignored.
    if (data && data[0] == '/')
        folder = data;
    else if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
        folder = fs::path(home) / ".local" / "share";
    else
        return "";
    return (folder / "trommik2" / kFileName).string();
}

bool SessionStore::save(HostInstance& instance, std::string* error) const {
    std::string text;
    if (!instance.saveStateText(&text)) {
        *error = "the module did not save its state";
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(path_).parent_path(), ec);
    return TextFile::write(path_, text, error);
}

bool SessionStore::restore(HostInstance& instance, std::string* error) const {
    error->clear();
    std::error_code ec;
    if (!fs::exists(path_, ec))
        return false;
    std::string text;
    if (TextFile::read(path_, &text) && instance.loadStateText(text))
        return true;
    const std::string aside = path_ + ".unreadable";
    fs::rename(path_, aside, ec);
    *error = "the session in " + path_ + " could not be restored" + (ec ? "" : " (kept as " + aside + ")");
    return false;
}
