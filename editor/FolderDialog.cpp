#include "FolderDialog.h"

namespace trommik2 {

FolderDialog::FolderDialog(const X11Window& owner, const std::string& root, const std::string& title,
                           std::function<void()> pump)
    : DialogWindow(owner, title.empty() ? "Choose a folder" : title, 440, 360, std::move(pump)), title_(title),
      list_(root, root, "") {
    addButton("Cancel", kCancel);
    addButton("Choose", kChoose, true);
}

void FolderDialog::paint(DrawContext& context) {
    context.text(title_, {14, 10, width() - 14, 32}, skin::kText, TextAlign::Left, 12, true);
    context.text("Folder: " + list_.shownFolder(), {14, 34, width() - 14, 54}, skin::kLabel, TextAlign::Left, 10);
    list_.draw(context, listRect());
}

void FolderDialog::clicked(ViewPoint where, bool twice) {
    const int row = list_.rowAt(listRect(), where);
    if (row < 0)
        return;
    list_.select(row);
    if (twice)
        list_.enter(row);
}

void FolderDialog::buttonPressed(int id) {
    if (id == kChoose) {
        const int row = list_.selected();
        const bool folderRow = row >= 0 && list_.entries()[row].folder && list_.entries()[row].name != "..";
        chosen_ = folderRow ? list_.pathOf(row) : list_.folder();
    }
    finish();
}

} // namespace trommik2
