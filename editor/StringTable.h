#pragma once

namespace trommik2 {

// The editor's hint texts by string number (1000 ..); nullptr for a number
// without text. Any thread.
const char* hintText(int id);

} // namespace trommik2
