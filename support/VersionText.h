#pragma once

#include <string>

namespace trommik2 {

// The text the editor shows over its logo: "Trommik2 Drums    Version: a.b.c.d",
// from the project's version. Any thread.
std::string versionText();

} // namespace trommik2
