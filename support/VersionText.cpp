#include "VersionText.h"

#include <cstdio>

#include "Trommik2Version.h"

namespace trommik2 {

std::string versionText() {
    // The product word is one word and one blank.
    char text[128];
    std::snprintf(text, sizeof text, "Trommik2 %s   Version: %d.%d.%d.%d", "Drums ", TROMMIK2_VERSION_MAJOR,
                  TROMMIK2_VERSION_MINOR, TROMMIK2_VERSION_PATCH, TROMMIK2_VERSION_TWEAK);
    return text;
}

} // namespace trommik2
