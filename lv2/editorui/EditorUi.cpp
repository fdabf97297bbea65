#include "lv2/editorui/EditorUi.h"

#include <lv2/core/lv2_util.h>
#include <lv2/instance-access/instance-access.h>

#include <chrono>

#include "core/DrumMachine.h"
#include "editor/EditorWindow.h"
#include "lv2/Lv2Plugin.h"
#include "platform/x11/X11Connection.h"

namespace trommik2::lv2 {

namespace {

constexpr uint64_t kIdleInterval = 40; // ms

uint64_t nowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

EditorUi* EditorUi::create(const LV2_Feature* const* features, LV2UI_Widget* widget) {
    void* parent = lv2_features_data(features, LV2_UI__parent);
    auto* instance = static_cast<Lv2Plugin*>(lv2_features_data(features, LV2_INSTANCE_ACCESS_URI));
    if (!parent || !instance)
        return nullptr;
    const auto* resize = static_cast<const LV2UI_Resize*>(lv2_features_data(features, LV2_UI__resize));
    auto ui = std::unique_ptr<EditorUi>(new EditorUi(instance->machine(), resize));
    if (!ui->open(reinterpret_cast<uintptr_t>(parent)))
        return nullptr;
    *widget = reinterpret_cast<LV2UI_Widget>(ui->editor_->systemWindow());
    return ui.release();
}

EditorUi::EditorUi(DrumMachine& machine, const LV2UI_Resize* resize)
    : machine_(machine), resize_(resize), editor_(std::make_unique<EditorWindow>(&machine)) {}

bool EditorUi::open(uintptr_t parent) {
    // Attached first: opening already asks for the height of the remembered mode.
    attach(*machine_.getAeffect(), this);
    machine_.setEditor(editor_.get());
    return editor_->open(parent);
}

EditorUi::~EditorUi() {
    editor_->close();
    machine_.setEditor(nullptr);
    attach(*machine_.getAeffect(), nullptr);
}

void EditorUi::resizeEditor(int width, int height) {
    if (resize_)
        resize_->ui_resize(resize_->handle, width, height);
}

int EditorUi::idle() {
    X11Connection::drainEvents();
    const uint64_t now = nowMs();
    if (now - lastIdle_ >= kIdleInterval) {
        lastIdle_ = now;
        editor_->idle();
    }
    return editor_->isOpen() ? 0 : 1;
}

} // namespace trommik2::lv2
