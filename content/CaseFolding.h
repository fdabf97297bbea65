#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace trommik2 {

// File names compared the way the content tree's home platform compares them:
// without regard to case (ASCII letters). Any thread.
inline std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace trommik2
