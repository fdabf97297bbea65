#include "ScriptedDialogs.h"

#include <cstdio>

namespace trommik2 {

void ScriptedDialogs::clear() {
    answers_.clear();
    paths_.clear();
    messages_.clear();
    saveRequests_.clear();
    folderTitles_.clear();
}

Answer ScriptedDialogs::message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) {
    messages_.push_back({text, caption, icon, yesNo});
    if (echo_)
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (!yesNo)
        return Answer::Ok;
    if (answers_.empty())
        return Answer::No;
    Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedDialogs::nextPath(std::string* path) {
    if (paths_.empty())
        return false;
    std::string next = paths_.front();
    paths_.pop_front();
    if (next.empty())
        return false;
    *path = next;
    return true;
}

bool ScriptedDialogs::saveFile(const SaveRequest& request, std::string* path) {
    saveRequests_.push_back(request);
    return nextPath(path);
}

bool ScriptedDialogs::chooseFolder(const std::string&, const std::string& title, std::string* folder) {
    folderTitles_.push_back(title);
    return nextPath(folder);
}

} // namespace trommik2
