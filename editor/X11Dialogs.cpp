#include "X11Dialogs.h"

#include "FolderDialog.h"
#include "MessageDialog.h"
#include "SaveDialog.h"

namespace trommik2 {

Answer X11Dialogs::message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) {
    if (!onOwnThread())
        return fallback_.message(text, caption, icon, yesNo);
    MessageDialog dialog(owner_, text, caption, icon, yesNo, pump_);
    if (!dialog.run())
        return fallback_.message(text, caption, icon, yesNo);
    return dialog.answer();
}

bool X11Dialogs::saveFile(const SaveRequest& request, std::string* path) {
    if (!onOwnThread())
        return fallback_.saveFile(request, path);
    SaveDialog dialog(owner_, request, *this, pump_);
    if (!dialog.run() || dialog.path().empty())
        return false;
    *path = dialog.path();
    return true;
}

bool X11Dialogs::chooseFolder(const std::string& root, const std::string& title, std::string* folder) {
    if (!onOwnThread())
        return fallback_.chooseFolder(root, title, folder);
    FolderDialog dialog(owner_, root, title, pump_);
    if (!dialog.run() || dialog.folder().empty())
        return false;
    *folder = dialog.folder();
    return true;
}

} // namespace trommik2
