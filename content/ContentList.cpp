#include "ContentList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CaseFolding.h"

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

// Deep enough for any real library; stops a folder link that loops.
constexpr int kMaxDepth = 16;

bool sortsBefore(const ContentEntry& a, const ContentEntry& b) {
    if (a.folder != b.folder)
        return a.folder;
    std::string x = lowerCase(a.name);
    std::string y = lowerCase(b.name);
    // Names that differ only in case keep a fixed order too.
    return x != y ? x < y : a.name < b.name;
}

std::vector<std::string> components(const std::string& name) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : name + '\\') {
        if (c != '\\' && c != '/') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

} // namespace

std::string ContentEntry::title() const { return folder ? name : fs::path(name).stem().string(); }

void ContentList::scan(const std::string& folder, const std::string& dottedExtension) {
    folder_ = folder;
    extension_ = lowerCase(dottedExtension);
    entries_.clear();
    topCount_ = 0;
    scanFolder(folder, kTop, 0);
}

bool ContentList::matches(const std::string& fileName) const {
    return extension_ == ".*" || lowerCase(fs::path(fileName).extension().string()) == extension_;
}

void ContentList::scanFolder(const std::string& path, int parent, int depth) {
    std::vector<ContentEntry> children;
    std::error_code ec;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        ContentEntry child;
        child.path = it->path().string();
        child.name = it->path().filename().string();
        child.parent = parent;
        std::error_code kindError;
        child.folder = it->is_directory(kindError);
        if (child.folder || (it->is_regular_file(kindError) && matches(child.name)))
            children.push_back(std::move(child));
    }
    std::sort(children.begin(), children.end(), sortsBefore);
    const int first = size();
    const int count = static_cast<int>(children.size());
    entries_.insert(entries_.end(), children.begin(), children.end());
    if (parent == kTop) {
        topCount_ = count;
    } else {
        entries_[static_cast<size_t>(parent)].firstChild = first;
        entries_[static_cast<size_t>(parent)].childCount = count;
    }
    if (depth + 1 >= kMaxDepth)
        return;
    for (int i = first; i < first + count; ++i)
        if (entry(i).folder)
            scanFolder(entry(i).path, i, depth + 1);
}

int ContentList::findChild(int parent, const std::string& component, bool folder) const {
    const int first = firstChild(parent);
    for (int i = first; i < first + childCount(parent); ++i)
        if (entry(i).folder == folder && entry(i).title() == component)
            return i;
    return kNone;
}

int ContentList::find(const std::string& name) const {
    std::vector<std::string> parts = components(name);
    int at = kTop;
    for (size_t k = 0; k < parts.size(); ++k) {
        at = findChild(at, parts[k], k + 1 < parts.size());
        if (at == kNone)
            return kNone;
    }
    return at;
}

int ContentList::neighbour(int index, bool previous) const {
    if (!valid(index))
        return index;
    const int parent = entry(index).parent;
    const int first = firstChild(parent);
    const int candidate = previous ? index - 1 : index + 1;
    if (candidate < first || candidate >= first + childCount(parent) || entry(candidate).folder)
        return index;
    return candidate;
}

} // namespace trommik2
#include "CaseFolding.h"
