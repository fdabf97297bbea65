#include "ContentSession.h"

#include <filesystem>

ContentSession::ContentSession(const std::string& moduleFile) : bank_(44100.0f), sequencer_(bank_.table()) {
    folders_.setRoot(std::filesystem::path(moduleFile).parent_path().string());
}
