#include "FolderList.h"

#include <algorithm>
#include <filesystem>

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

std::string normal(const std::string& path) {
    std::string text = fs::path(path).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace

FolderList::FolderList(std::string root, std::string folder, std::string extension)
    : root_(root.empty() ? "" : normal(root)), folder_(normal(folder)), extension_(std::move(extension)) {
    std::error_code ec;
    if (!fs::is_directory(folder_, ec))
        folder_ = root_.empty() ? fs::current_path(ec).string() : root_;
    read();
}

std::string FolderList::shownFolder() const {
    if (root_.empty())
        return folder_;
    std::string relative = fs::path(folder_).lexically_relative(root_).string();
    std::string name = fs::path(root_).filename().string();
    return relative == "." ? name : name + "/" + relative;
}

void FolderList::read() {
    entries_.clear();
    selected_ = -1;
    top_ = 0;
    std::vector<Entry> folders, files;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder_, ec)) {
        std::string name = item.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        if (item.is_directory(ec))
            folders.push_back({name, true});
        else if (!extension_.empty() && item.path().extension() == "." + extension_)
            files.push_back({name, false});
    }
    auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (root_.empty() ? folder_ != "/" : folder_ != root_)
        entries_.push_back({"..", true});
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
}

int FolderList::rowAt(const ViewRect& rect, ViewPoint where) const {
    if (!rect.contains(where))
        return -1;
    int row = top_ + (where.y - rect.top - 1) / kRowHeight;
    return row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

bool FolderList::enter(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size()) || !entries_[row].folder)
        return false;
    folder_ = normal(entries_[row].name == ".." ? fs::path(folder_).parent_path().string() : pathOf(row));
    read();
    return true;
}

std::string FolderList::pathOf(int row) const {
    if (row < 0 || row >= static_cast<int>(entries_.size()))
        return folder_;
    return (fs::path(folder_) / entries_[row].name).string();
}

void FolderList::scroll(const ViewRect& rect, int rows) {
    const int visible = std::max(1, (rect.height() - 2) / kRowHeight);
    top_ = std::clamp(top_ + rows, 0, std::max(0, static_cast<int>(entries_.size()) - visible));
}

void FolderList::draw(DrawContext& context, const ViewRect& rect) const {
    context.fillRect(rect, skin::kDeep);
    context.frameRect(rect, skin::kEdge);
    const int visible = std::max(1, (rect.height() - 2) / kRowHeight);
    const int end = std::min(static_cast<int>(entries_.size()), top_ + visible);
    for (int row = top_; row < end; ++row) {
        const int y = rect.top + 1 + (row - top_) * kRowHeight;
        ViewRect line{rect.left + 1, y, rect.right - 1, y + kRowHeight};
        if (row == selected_)
            context.fillRect(line, skin::kSelected);
        const Entry& entry = entries_[row];
        const std::string text = entry.folder && entry.name != ".." ? "\u25B8 " + entry.name : entry.name;
        context.text(text, line.offset(6, 0), entry.folder ? skin::kAccent : skin::kText, TextAlign::Left, 10);
    }
}

} // namespace trommik2
