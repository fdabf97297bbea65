#include "SaveDialog.h"

#include <filesystem>

#include <X11/keysym.h>

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 480;
constexpr int kHeight = 380;
constexpr size_t kNameCapacity = 255;

// A UTF-8 character for a typed code point; characters no file name takes give none.
std::string encode(uint32_t c) {
    if (c < 0x20 || c == 0x7f || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|')
        return "";
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void eraseLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

} // namespace

SaveDialog::SaveDialog(const X11Window& owner, const SaveRequest& request, Dialogs& questions,
                       std::function<void()> pump)
    : DialogWindow(owner, request.title.empty() ? "Save" : request.title, kWidth, kHeight, std::move(pump)),
      request_(request), questions_(questions), list_(request.root, request.folder, request.extension),
      name_(request.fileName) {
    addButton("Cancel", kCancel);
    addButton("Save", kSave, true);
}

ViewRect SaveDialog::listRect() const { return {14, 58, width() - 14, 278}; }

void SaveDialog::paint(DrawContext& context) {
    context.text(request_.title, {14, 10, width() - 14, 32}, skin::kText, TextAlign::Left, 12, true);
    context.text("Folder: " + list_.shownFolder(), {14, 34, width() - 14, 54}, skin::kLabel, TextAlign::Left, 10);
    list_.draw(context, listRect());
    context.text("Name", {14, 290, 60, 314}, skin::kLabel, TextAlign::Left, 10);
    ViewRect field{62, 290, width() - 14, 314};
    context.fillRect(field, skin::kDeep);
    context.frameRect(field, skin::kAccent);
    std::string shown = name_ + "\u2502";
    context.text(shown, field.offset(3, 0), skin::kText, TextAlign::Left, 10.5);
    if (!request_.filterDescription.empty())
        context.text(request_.filterDescription, {14, height() - 40, 200, height() - 14}, skin::kLabel, TextAlign::Left,
                     9);
}

void SaveDialog::clicked(ViewPoint where, bool twice) {
    const int row = list_.rowAt(listRect(), where);
    if (row < 0)
        return;
    list_.select(row);
    const FolderList::Entry& entry = list_.entries()[row];
    if (entry.folder) {
        if (twice)
            list_.enter(row);
        return;
    }
    name_ = fs::path(entry.name).stem().string();
    if (twice)
        save();
}

void SaveDialog::typed(const X11KeyEvent& key) {
    if (key.keysym == XK_BackSpace)
        eraseLastCharacter(name_);
    else if (name_.size() < kNameCapacity)
        name_ += encode(key.character);
}

void SaveDialog::buttonPressed(int id) {
    if (id == kSave)
        save();
    else
        finish();
}

void SaveDialog::save() {
    if (name_.empty())
        return;
    std::string path = (fs::path(list_.folder()) / name_).string();
    if (fs::path(path).extension().empty() && !request_.extension.empty())
        path += "." + request_.extension;
    std::error_code ec;
    if (fs::exists(path, ec) &&
        questions_.message(fs::path(path).filename().string() + " already exists.\nDo you want to replace it?",
                           "Trommik 2", MessageIcon::Question, true) != Answer::Yes)
        return;
    path_ = path;
    finish();
}

} // namespace trommik2
