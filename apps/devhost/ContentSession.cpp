#include "ContentSession.h"

#include <filesystem>

ContentSession::ContentSession(const std::string& moduleFile)
    : DocumentWorkspace(std::filesystem::path(moduleFile).parent_path().string()) {}
