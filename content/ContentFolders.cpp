#include "ContentFolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CaseFolding.h"

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

const ContentKindInfo kKinds[ContentFolders::kKindCount] = {
    {kContentInstruments, "Trommik2\\Instruments", "tm2ins", "Trommik2 instrument (*.tm2ins)", "*.tm2ins",
     "Load Instrument File", "Save Instrument File"},
    {kContentDrumkits, "Trommik2\\Drumkits", "tm2drk", "Trommik2 drumkit (*.tm2drk)", "*.tm2drk", "Load Drumkit File",
     "Save Drumkit File"},
    {kContentPatterns, "Trommik2\\Patterns", "tm2pat", "Trommik2 pattern (*.tm2pat)", "*.tm2pat", "Load Pattern File",
     "Save Pattern File"},
    {kContentSetups, "Trommik2\\Setups", "tm2set", "Trommik2 setup (*.tm2set)", "*.tm2set", "Load Setup File",
     "Save Setup File"},
    {kContentSamples, "Trommik2\\Samples", "wav", "", "", "", ""},
};

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The entry of folder whose name equals name without regard to case, or empty.
fs::path childIgnoringCase(const fs::path& folder, const fs::path& name) {
    const std::string wanted = lowerCase(name.string());
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec))
        if (lowerCase(it->path().filename().string()) == wanted)
            return folder / it->path().filename();
    return {};
}

} // namespace

const ContentKindInfo* ContentFolders::kindInfo(int kind) {
    int row = kind - kFirstKind;
    return row >= 0 && row < kKindCount ? &kKinds[row] : nullptr;
}

std::string ContentFolders::toPlatformPath(const std::string& name) {
    std::string path = name;
    std::replace_if(path.begin(), path.end(), isSeparator, static_cast<char>(fs::path::preferred_separator));
    return path;
}

std::string ContentFolders::toDocumentName(const std::string& path) {
    std::string name = path;
    std::replace_if(name.begin(), name.end(), isSeparator, kDocumentSeparator);
    return name;
}

std::string ContentFolders::findIgnoringCase(const std::string& path) {
    std::error_code ec;
    if (fs::exists(path, ec))
        return path;
    fs::path file(path);
    fs::path resolved = file.root_path();
    for (const fs::path& part : file.relative_path()) {
        fs::path next = resolved / part;
        if (!fs::exists(next, ec))
            next = childIgnoringCase(resolved, part);
        if (next.empty())
            return path;
        resolved = next;
    }
    return resolved.string();
}

void ContentFolders::setRoot(const std::string& root) {
    std::error_code ec;
    fs::path absolute = fs::absolute(root, ec);
    root_ = ec ? root : absolute.lexically_normal().string();
}

std::string ContentFolders::folder(int kind) const {
    const ContentKindInfo* info = kindInfo(kind);
    if (!info)
        return "";
    return (fs::path(root_) / toPlatformPath(info->folder)).lexically_normal().string();
}

std::string ContentFolders::pathOf(const std::string& name, int kind) const {
    size_t start = 0;
    while (start < name.size() && isSeparator(name[start]))
        ++start;
    return (fs::path(folder(kind)) / toPlatformPath(name.substr(start))).lexically_normal().string();
}

std::string ContentFolders::relativeName(const std::string& path, int kind) const {
    fs::path file(toPlatformPath(path));
    if (!kindInfo(kind) || !file.is_absolute())
        return "";
    fs::path relative = file.lexically_normal().lexically_relative(folder(kind));
    if (relative.empty() || relative == ".")
        return "";
    relative.replace_extension();
    return toDocumentName(relative.string());
}

} // namespace trommik2
#include "CaseFolding.h"
