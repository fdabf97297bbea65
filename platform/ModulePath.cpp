#include "ModulePath.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace trommik2 {

std::string ModulePath::folder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModulePath::folder), &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return "";
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? "" : file.lexically_normal().parent_path().string();
}

} // namespace trommik2
