#pragma once

#include <string>
#include <vector>

#include <platform/Dialogs.h>

// Dialogs answered up front from the command line: the folder chooser picks
// one folder, every question gets the same answer, and messages and questions
// are printed.
class AnsweringDialogs : public trommik2::Dialogs {
  public:
    AnsweringDialogs(std::string folder, bool overwrite) : folder_(std::move(folder)), overwrite_(overwrite) {}

    // The questions answered No so far, newest last.
    const std::vector<std::string>& declined() const { return declined_; }

    trommik2::Answer message(const std::string& text, const std::string& caption, trommik2::MessageIcon icon,
                             bool yesNo) override;
    bool saveFile(const trommik2::SaveRequest& request, std::string* path) override;
    bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) override;

  private:
    std::string folder_;
    bool overwrite_;
    std::vector<std::string> declined_;
};
