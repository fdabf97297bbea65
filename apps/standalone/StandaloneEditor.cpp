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

Window StandaloneEditor::editorWindow() const { return static_cast<Window>(instance_.context().editorWindow); }

// The module opens its editor in a window of its own at the place the user
// left it; the program's window takes that place and the editor in.
bool StandaloneEditor::open(std::string* why) {
    if (!window_.open("Trommik2", HostStrip::kWidth, HostStrip::kHeight, false)) {
        *why = "no X display";
        return false;
    }
    instance_.context().parentWindow = window_.id();
    open_ = instance_.call(kOpenEditor) == 1;
    int x = 0, y = 0, width = 0, height = 0;
    if (!open_ || !window_.placeOf(editorWindow(), &x, &y, &width, &height) || !window_.adopt(editorWindow())) {
        *why = "the module opened no editor";
        return false;
    }
    window_.moveTo(x, y);
    fitEditor(width, height);
    window_.show();
    return true;
}

// The editor changes its height between its full and its compact form.
void StandaloneEditor::fitEditor(int width, int height) {
    if (height == editorHeight_)
        return;
    editorHeight_ = height;
    window_.resize(width, height + HostStrip::kHeight);
}

void StandaloneEditor::handle(const XEvent& event, HostStrip::Input* input) {
    if (event.type == ConfigureNotify && event.xconfigure.window == editorWindow())
        fitEditor(event.xconfigure.width, event.xconfigure.height);
    else
        strip_.handle(event, input);
}

bool StandaloneEditor::idle(const HostStrip::State& state, HostStrip::Input* input) {
    if (!open_ || !window_.pump([&](const XEvent& event) { handle(event, input); }) || editorWindow() == 0)
        return false;
    strip_.show(window_.display(), window_.id(), editorHeight_, state);
    instance_.editorIdle();
    return true;
}
