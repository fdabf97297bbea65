#pragma once

#include "DialogWindow.h"
#include "FolderList.h"
#include "platform/Dialogs.h"

namespace trommik2 {

class Dialogs;

// The save dialog of a content kind: the folders and documents below the
// kind's folder, a name field and Save / Cancel. A name without extension gets
// the default one; an existing file is replaced only after a question.
// User-interface thread.
class SaveDialog : public DialogWindow {
  public:
    SaveDialog(const X11Window& owner, const SaveRequest& request, Dialogs& questions, std::function<void()> pump);

    // The chosen path once run; empty when cancelled.
    const std::string& path() const { return path_; }

  private:
    enum Button { kSave = 1, kCancel = 2 };

    void paint(DrawContext& context) override;
    void buttonPressed(int id) override;
    void cancelled() override { finish(); }
    void clicked(ViewPoint where, bool twice) override;
    void typed(const X11KeyEvent& key) override;
    void scrolled(ViewPoint, int rows) override { list_.scroll(listRect(), rows); }
    ViewRect listRect() const;
    void save();

    SaveRequest request_;
    Dialogs& questions_;
    FolderList list_;
    std::string name_;
    std::string path_;
};

} // namespace trommik2
