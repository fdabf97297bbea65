#include "StderrDialogs.h"

#include <cstdio>

namespace trommik2 {

Answer StderrDialogs::message(const std::string& text, const std::string& caption, MessageIcon, bool yesNo) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return yesNo ? Answer::No : Answer::Ok;
}

bool StderrDialogs::saveFile(const SaveRequest&, std::string*) { return false; }

bool StderrDialogs::chooseFolder(const std::string&, const std::string&, std::string*) { return false; }

} // namespace trommik2
