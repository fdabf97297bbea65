#include "ModulePath.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace trommik2 {

std::string ModulePath::file() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModulePath::file), &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return "";
    std::error_code ec;
    std::filesystem::path file = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? "" : file.lexically_normal().string();
}

std::string ModulePath::folder() {
    std::string path = file();
    return path.empty() ? "" : std::filesystem::path(path).parent_path().string();
}

} // namespace trommik2
