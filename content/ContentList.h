#pragma once

#include <string>
#include <vector>

namespace trommik2 {

// One file or sub-folder of a content folder.
struct ContentEntry {
    // The full platform path.
    std::string path;
    // The name in its folder, as on disk ("Deep.tm2ins", "Kicks").
    std::string name;
    // The folder entry holding it, or ContentList::kTop.
    int parent = -1;
    bool folder = false;
    // For folders: where their children lie in the list, contiguously.
    int firstChild = 0;
    int childCount = 0;

    // The name as documents and menus give it: files without their extension.
    std::string title() const;
};

// The files of one kind below its content folder, as a tree: every sub-folder
// and every file whose extension matches, sorted by name without regard to
// case with the folders of each folder first. Menus and previous/next both
// follow this order, whatever order the file system lists in.
// User-interface thread.
class ContentList {
  public:
    // The parent of the content folder's own entries, and "not found".
    static constexpr int kTop = -1;
    static constexpr int kNone = -1;

    // Rescans the folder for files of the dotted extension (".tm2ins"; ".*"
    // takes every file), compared without regard to case. A missing folder
    // gives an empty list.
    void scan(const std::string& folder, const std::string& dottedExtension);

    const std::string& folder() const { return folder_; }
    int size() const { return static_cast<int>(entries_.size()); }
    bool valid(int index) const { return index >= 0 && index < size(); }
    // index must be valid.
    const ContentEntry& entry(int index) const { return entries_[static_cast<size_t>(index)]; }
    // The first index and the count of the children of a folder entry, or of
    // the content folder itself for kTop.
    int firstChild(int parent) const { return parent == kTop ? 0 : entry(parent).firstChild; }
    int childCount(int parent) const { return parent == kTop ? topCount_ : entry(parent).childCount; }

    // The file named by a document name ("Kicks\\Deep", either separator),
    // found by walking its components from the content folder; kNone when it
    // is not listed.
    int find(const std::string& name) const;
    // The file before or after index in the same folder; index itself at
    // either end, where a folder or the end of the folder follows.
    int neighbour(int index, bool previous) const;

  private:
    void scanFolder(const std::string& path, int parent, int depth);
    bool matches(const std::string& fileName) const;
    int findChild(int parent, const std::string& component, bool folder) const;

    std::string folder_;
    std::string extension_;
    std::vector<ContentEntry> entries_;
    int topCount_ = 0;
};

} // namespace trommik2
