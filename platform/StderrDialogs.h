#pragma once

#include "Dialogs.h"

namespace trommik2 {

// The headless default: messages go to stderr as "<caption>: <message>";
// questions are answered No and dialogs are cancelled, so nothing is
// overwritten or saved without someone asking for it.
class StderrDialogs : public Dialogs {
  public:
    Answer message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) override;
    bool saveFile(const SaveRequest& request, std::string* path) override;
    bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) override;
};

} // namespace trommik2
