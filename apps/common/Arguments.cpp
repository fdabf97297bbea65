#include "Arguments.h"

#include <cstdlib>

Arguments::Arguments(int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i)
        words_.emplace_back(argv[i]);
    taken_.assign(words_.size(), false);
}

bool Arguments::flag(const std::string& name) {
    for (size_t i = 0; i < words_.size(); ++i)
        if (!taken_[i] && words_[i] == name)
            return taken_[i] = true;
    return false;
}

bool Arguments::value(const std::string& name, std::string* out) {
    for (size_t i = 0; i < words_.size(); ++i) {
        if (taken_[i] || words_[i] != name)
            continue;
        taken_[i] = true;
        if (i + 1 >= words_.size()) {
            error_ = "option " + name + " needs a value";
            return false;
        }
        taken_[i + 1] = true;
        *out = words_[i + 1];
        return true;
    }
    return false;
}

bool Arguments::number(const std::string& name, double* out) {
    std::string text;
    if (!value(name, &text))
        return false;
    char* end = nullptr;
    double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') {
        error_ = "option " + name + " needs a number, not '" + text + "'";
        return false;
    }
    *out = parsed;
    return true;
}

bool Arguments::integer(const std::string& name, long* out) {
    std::string text;
    if (!value(name, &text))
        return false;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') {
        error_ = "option " + name + " needs a whole number, not '" + text + "'";
        return false;
    }
    *out = parsed;
    return true;
}

std::vector<std::string> Arguments::positional() {
    std::vector<std::string> words;
    for (size_t i = 0; i < words_.size(); ++i) {
        if (taken_[i] || (words_[i].size() > 1 && words_[i][0] == '-'))
            continue;
        taken_[i] = true;
        words.push_back(words_[i]);
    }
    return words;
}

bool Arguments::finish(std::string* error) {
    if (error_.empty()) {
        for (size_t i = 0; i < words_.size(); ++i) {
            if (!taken_[i]) {
                error_ = "unknown option '" + words_[i] + "'";
                break;
            }
        }
    }
    *error = error_;
    return error_.empty();
}
