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
    if (!window_.open("Trommik2", HostStrip::kWidth, HostStrip::kHeight)) {
        *why = "no X display";
        return false;
    }
    instance_.context().parentWindow = window_.id();
    open_ = instance_.call(kOpenEditor) == 1;
    if (!open_)
        *why = "the module opened no editor";
    return open_;
}

// The strip stays right under the editor, wherever the editor is moved and
// whichever of its two heights it has.
void StandaloneEditor::keepBelowEditor() {
    int x = 0, y = 0, width = 0, height = 0;
    if (window_.placeOf(static_cast<Window>(instance_.context().editorWindow), &x, &y, &width, &height))
        window_.moveTo(x, y + height);
}

bool StandaloneEditor::idle(const HostStrip::State& state, HostStrip::Input* input) {
    if (!open_ || !window_.pump([&](const XEvent& event) { strip_.handle(event, input); }) ||
        instance_.context().editorWindow == 0)
        return false;
    keepBelowEditor();
    strip_.show(window_.display(), window_.id(), state);
    instance_.editorIdle();
    return true;
}
