#pragma once

#include <string>

namespace trommik2 {

enum class MessageIcon { Stop, Warning, Question, Information };
enum class Answer { Ok, Yes, No, Cancel };

// What a save dialog shows: the start folder (below root, which the dialog
// does not leave; empty: anywhere), the proposed file name, the title, the
// filter and the default extension (without dot).
struct SaveRequest {
    std::string root;
    std::string folder;
    std::string fileName;
    std::string title;
    std::string filterDescription;
    std::string filterPattern;
    std::string extension;
};

// Message boxes and the file and folder dialogs. The editor puts windows
// behind this interface; without one the headless implementations answer.
// User-interface thread (message boxes also from the audio thread's loaders
// under the process lock, which never wait for an answer there).
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Shows text with caption and icon; with yesNo the answer is Yes or No,
    // otherwise Ok.
    virtual Answer message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) = 0;
    // Asks for a file to save; false when cancelled.
    virtual bool saveFile(const SaveRequest& request, std::string* path) = 0;
    // Asks for a folder below root; false when cancelled.
    virtual bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) = 0;

    // The process-wide dialogs; a StderrDialogs until another is installed.
    static Dialogs& current();
    // Installs dialogs (not owned); null restores the default.
    static void install(Dialogs* dialogs);
};

} // namespace trommik2
