#include "AnsweringDialogs.h"

#include <algorithm>
#include <cstdio>

using trommik2::Answer;

Answer AnsweringDialogs::message(const std::string& text, const std::string& caption, trommik2::MessageIcon,
                                 bool yesNo) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    if (!yesNo) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
        return Answer::Ok;
    }
    if (overwrite_) {
        std::printf("  %s yes\n", line.c_str());
        return Answer::Yes;
    }
    std::printf("  %s no: kept (--overwrite replaces it)\n", line.c_str());
    declined_.push_back(text);
    return Answer::No;
}

bool AnsweringDialogs::saveFile(const trommik2::SaveRequest&, std::string*) { return false; }

bool AnsweringDialogs::chooseFolder(const std::string&, const std::string&, std::string* folder) {
    *folder = folder_;
    return true;
}
