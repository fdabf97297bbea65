#pragma once

#include "DialogWindow.h"
#include "FolderList.h"

namespace trommik2 {

// Chooses a folder below a root: the folders are listed and entered with a
// double click; Choose takes the selected folder, or the one shown when none
// is selected. User-interface thread.
class FolderDialog : public DialogWindow {
  public:
    FolderDialog(const X11Window& owner, const std::string& root, const std::string& title, std::function<void()> pump);

    // The chosen folder once run; empty when cancelled.
    const std::string& folder() const { return chosen_; }

  private:
    enum Button { kChoose = 1, kCancel = 2 };

    void paint(DrawContext& context) override;
    void buttonPressed(int id) override;
    void cancelled() override { finish(); }
    void clicked(ViewPoint where, bool twice) override;
    void scrolled(ViewPoint, int rows) override { list_.scroll(listRect(), rows); }
    ViewRect listRect() const { return {14, 58, width() - 14, height() - 54}; }

    std::string title_;
    FolderList list_;
    std::string chosen_;
};

} // namespace trommik2
