#include "StandaloneEditor.h"

#include "apps/common/HostInstance.h"

namespace {

constexpr int32_t kOpenEditor = 3;
constexpr int32_t kCloseEditor = 4;

} // namespace

StandaloneEditor::~StandaloneEditor() {
    if (open_)
        instance_.call(kCloseEditor);
}

bool StandaloneEditor::open(std::string* why) {
    if (!window_.open("Trommik2")) {
        *why = "no X display";
        return false;
    }
    instance_.context().parentWindow = window_.id();
    open_ = instance_.call(kOpenEditor) == 1;
    if (!open_)
        *why = "the module opened no editor";
    return open_;
}

bool StandaloneEditor::idle() {
    if (!open_ || !window_.pump() || instance_.context().editorWindow == 0)
        return false;
    instance_.editorIdle();
    return true;
}
