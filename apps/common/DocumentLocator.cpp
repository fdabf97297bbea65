#include "DocumentLocator.h"

#include <filesystem>
#include <system_error>

#include <content/ContentFolders.h>

std::string DocumentLocator::find(const std::string& text, int kind, const std::string& modulePath) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(text, ec))
        return text;
    trommik2::ContentFolders folders;
    folders.setRoot(std::filesystem::path(modulePath).parent_path().string());
    std::string named = folders.pathOf(text + "." + trommik2::ContentFolders::kindInfo(kind)->extension, kind);
    return std::filesystem::is_regular_file(named, ec) ? named : text;
}
