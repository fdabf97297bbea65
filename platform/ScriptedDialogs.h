#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Dialogs.h"

namespace trommik2 {

// Dialogs that answer from a script and record what they were shown: for tests
// and for command-line tools that decide the answers up front.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool yesNo;
    };

    // Answers for the next questions, in order; without one a question gets No.
    void answerQuestion(Answer answer) { answers_.push_back(answer); }
    // Results for the next save dialogs or folder choosers, in order; an empty
    // text cancels. Without one the dialog is cancelled.
    void answerPath(const std::string& path) { paths_.push_back(path); }
    // With echo set, messages are also printed to stderr.
    void setEcho(bool echo) { echo_ = echo; }

    const std::vector<Shown>& messages() const { return messages_; }
    const std::vector<SaveRequest>& saveRequests() const { return saveRequests_; }
    const std::vector<std::string>& folderTitles() const { return folderTitles_; }
    void clear();

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) override;
    bool saveFile(const SaveRequest& request, std::string* path) override;
    bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) override;

  private:
    bool nextPath(std::string* path);

    std::deque<Answer> answers_;
    std::deque<std::string> paths_;
    std::vector<Shown> messages_;
    std::vector<SaveRequest> saveRequests_;
    std::vector<std::string> folderTitles_;
    bool echo_ = false;
};

} // namespace trommik2
