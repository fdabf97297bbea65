#include "XmlNesting.h"

#include <cstring>

namespace trommik2 {

namespace {

// The position after the first occurrence of end at or after p, or the text's end.
const char* skipPast(const char* p, const char* end) {
    const char* found = std::strstr(p, end);
    return found ? found + std::strlen(end) : p + std::strlen(p);
}

// Scans a start or end tag from just after its '<' to just after its '>'; a
// quote opens a value only after '=', as the parser reads it.
const char* skipTag(const char* p, bool* selfClosing) {
    char last = 0;
    char previous = 0;
    while (*p && *p != '>') {
        if ((*p == '"' || *p == '\'') && previous == '=') {
            const char* close = std::strchr(p + 1, *p);
            if (!close)
                return p + std::strlen(p);
            p = close;
        }
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
            previous = *p;
        last = *p;
        ++p;
    }
    *selfClosing = last == '/';
    return *p ? p + 1 : p;
}

} // namespace

bool XmlNesting::within(const char* text, int limit) {
    int depth = 0;
    const char* p = text;
    while ((p = std::strchr(p, '<')) != nullptr) {
        ++p;
        if (std::strncmp(p, "!--", 3) == 0) {
            p = skipPast(p, "-->");
        } else if (std::strncmp(p, "![CDATA[", 8) == 0) {
            p = skipPast(p, "]]>");
        } else if (*p == '?' || *p == '!') {
            p = skipPast(p, ">");
        } else {
            bool closing = *p == '/';
            bool selfClosing = false;
            p = skipTag(p, &selfClosing);
            if (closing)
                depth = depth > 0 ? depth - 1 : 0; // a stray end tag fails the parse anyway
            else if (!selfClosing && ++depth > limit)
                return false;
        }
    }
    return true;
}

} // namespace trommik2
