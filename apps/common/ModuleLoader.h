#pragma once

#include <string>

#include <trommik2/host_api.h>

// Loads the instrument module by path and finds its entry point.
class ModuleLoader {
  public:
    ModuleLoader() = default;
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // The module beside this program.
    static std::string defaultPath();

    bool load(const std::string& path, std::string* error);
    ZelkoraSynthesizerFunction entry() const { return entry_; }
    const std::string& path() const { return path_; }

  private:
    void* handle_ = nullptr;
    ZelkoraSynthesizerFunction entry_ = nullptr;
    std::string path_;
};
