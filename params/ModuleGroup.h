#pragma once

#include <vector>

namespace trommik2 {

// One of the ten module groups: a name, a description and its member
// parameters in registration order.
struct ModuleGroup {
    const char* name = "- no module -";
    const char* description = "- no module -";
    int number = 0;
    std::vector<int> members;
};

} // namespace trommik2
