#pragma once

#include <string>
#include <vector>

#include "DrawContext.h"

namespace trommik2 {

// A folder's content as a dialog lists it: ".." (unless at the root the list
// may not leave), the sub-folders, then the files with one extension, each
// group sorted by name; with a selected row and scrolling. It draws itself in
// a rectangle. User-interface thread.
class FolderList {
  public:
    static constexpr int kRowHeight = 18;

    struct Entry {
        std::string name;
        bool folder = false;
    };

    // extension without dot; empty lists folders only. An empty root allows any folder.
    FolderList(std::string root, std::string folder, std::string extension);

    const std::string& folder() const { return folder_; }
    // The folder as shown: relative to the root.
    std::string shownFolder() const;
    const std::vector<Entry>& entries() const { return entries_; }
    int selected() const { return selected_; }
    // The row under a point of the list's rectangle, or -1.
    int rowAt(const ViewRect& rect, ViewPoint where) const;
    void select(int row) { selected_ = row; }
    // Goes into a folder entry (or up for ".."); false for a file entry.
    bool enter(int row);
    // The full path of an entry.
    std::string pathOf(int row) const;
    void scroll(const ViewRect& rect, int rows);
    void draw(DrawContext& context, const ViewRect& rect) const;

  private:
    void read();

    std::string root_;
    std::string folder_;
    std::string extension_;
    std::vector<Entry> entries_;
    int selected_ = -1;
    int top_ = 0;
};

} // namespace trommik2
