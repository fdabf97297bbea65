#include "ProfileFile.h"

#include <fstream>
#include <strings.h>

#include "platform/TempFile.h"

namespace trommik2 {

namespace {

std::string trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// The section a "[name]" line opens, or false for other lines.
bool sectionOf(const std::string& line, std::string* name) {
    std::string t = trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']')
        return false;
    *name = trim(t.substr(1, t.size() - 2));
    return true;
}

// Splits "key=value"; false for lines without '='.
bool entryOf(const std::string& line, std::string* key, std::string* value) {
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    *key = trim(line.substr(0, equals));
    *value = trim(line.substr(equals + 1));
    if (value->size() >= 2 && value->front() == '"' && value->back() == '"')
        *value = value->substr(1, value->size() - 2);
    return true;
}

} // namespace

std::vector<std::string> ProfileFile::lines() const {
    std::vector<std::string> result;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

bool ProfileFile::read(const std::string& section, const std::string& key, std::string* value) const {
    bool inSection = false;
    for (const std::string& line : lines()) {
        std::string name, k, v;
        if (sectionOf(line, &name))
            inSection = sameName(name, section);
        else if (inSection && entryOf(line, &k, &v) && sameName(k, key)) {
            *value = v;
            return true;
        }
    }
    return false;
}

bool ProfileFile::write(const std::string& section, const std::string& key, const std::string& value) const {
    std::vector<std::string> text = lines();
    const std::string entry = key + "=" + value;
    bool inSection = false;
    long insertAt = -1;
    bool replaced = false;
    for (size_t i = 0; i < text.size() && !replaced; ++i) {
        std::string name, k, v;
        if (sectionOf(text[i], &name)) {
            if (inSection)
                break;
            inSection = sameName(name, section);
            insertAt = inSection ? static_cast<long>(i) + 1 : insertAt;
        } else if (inSection && entryOf(text[i], &k, &v) && sameName(k, key)) {
            text[i] = entry;
            replaced = true;
        } else if (inSection && !trim(text[i]).empty()) {
            insertAt = static_cast<long>(i) + 1;
        }
    }
    if (!replaced && insertAt >= 0) {
        text.insert(text.begin() + insertAt, entry);
    } else if (!replaced) {
        text.push_back("[" + section + "]");
        text.push_back(entry);
    }
    return save(text);
}

bool ProfileFile::save(const std::vector<std::string>& text) const {
    TempFile temp(path_);
    {
        std::ofstream out(temp.path());
        for (const std::string& line : text)
            out << line << '\n';
        if (!out.flush())
            return false;
    }
    std::string error;
    return temp.commit(&error);
}

} // namespace trommik2
