#include "Configuration.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <strings.h>

namespace trommik2 {

namespace {

constexpr size_t kBoolLength = 6;
constexpr size_t kIntLength = 30;

} // namespace

void Configuration::readBool(const std::string& section, const std::string& key, bool* flag) const {
    std::string text;
    if (!file_.read(section, key, &text))
        return;
    text = text.substr(0, kBoolLength);
    if (strcasecmp(text.c_str(), "true") == 0)
        *flag = true;
    else if (strcasecmp(text.c_str(), "false") == 0)
        *flag = false;
}

void Configuration::writeBool(const std::string& section, const std::string& key, bool flag) const {
    file_.write(section, key, flag ? "true" : "false");
}

void Configuration::readInt(const std::string& section, const std::string& key, int* value) const {
    std::string text;
    if (!file_.read(section, key, &text))
        return;
    text = text.substr(0, kIntLength);
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text.c_str(), &end, 10);
    // Leading digits count, as in "12px"; no digits or a number beyond int keeps the default.
    if (end != text.c_str() && errno == 0 && parsed >= INT_MIN && parsed <= INT_MAX)
        *value = static_cast<int>(parsed);
}

void Configuration::writeInt(const std::string& section, const std::string& key, int value) const {
    file_.write(section, key, std::to_string(value));
}

std::string Configuration::readString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, size_t capacity) const {
    std::string text;
    if (!file_.read(section, key, &text))
        text = defaultValue;
    return capacity == 0 ? std::string() : text.substr(0, capacity - 1);
}

void Configuration::writeString(const std::string& section, const std::string& key, const std::string& value) const {
    file_.write(section, key, value);
}

} // namespace trommik2
