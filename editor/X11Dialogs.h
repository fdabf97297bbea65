#pragma once

#include <functional>
#include <thread>

#include "platform/Dialogs.h"
#include "platform/StderrDialogs.h"

namespace trommik2 {

class X11Window;

// The editor's dialogs on X11: message boxes, the save dialog and the folder
// chooser as windows of the editor. Only the user-interface thread that made
// them shows windows; another thread's message goes to stderr.
class X11Dialogs : public Dialogs {
  public:
    // owner: the editor's window; pump keeps the editor idling while a dialog is up.
    X11Dialogs(const X11Window& owner, std::function<void()> pump)
        : owner_(owner), pump_(std::move(pump)), thread_(std::this_thread::get_id()) {}

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) override;
    bool saveFile(const SaveRequest& request, std::string* path) override;
    bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) override;

  private:
    bool onOwnThread() const { return std::this_thread::get_id() == thread_; }

    const X11Window& owner_;
    std::function<void()> pump_;
    std::thread::id thread_;
    StderrDialogs fallback_;
};

} // namespace trommik2
