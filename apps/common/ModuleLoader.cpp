#include "ModuleLoader.h"

#include <dlfcn.h>

#include <filesystem>

ModuleLoader::~ModuleLoader() {
    if (handle_)
        dlclose(handle_);
}

std::string ModuleLoader::defaultPath() {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "Trommik2.syn";
    return (self.parent_path() / "Trommik2.syn").string();
}

bool ModuleLoader::load(const std::string& path, std::string* error) {
    std::error_code ec;
    path_ = std::filesystem::absolute(path, ec).string();
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        *error = "cannot load module: " + std::string(dlerror());
        return false;
    }
    entry_ = reinterpret_cast<ZelkoraSynthesizerFunction>(dlsym(handle_, "ZelkoraSynthesizer"));
    if (!entry_) {
        *error = "module " + path_ + " does not export ZelkoraSynthesizer";
        return false;
    }
    return true;
}
