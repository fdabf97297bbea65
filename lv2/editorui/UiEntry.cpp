// The user interface's entry point: the descriptor and its idle interface.

#include <lv2/ui/ui.h>

#include <cstring>

#include "lv2/PortLayout.h"
#include "lv2/editorui/EditorUi.h"

namespace {

using trommik2::lv2::EditorUi;

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function, LV2UI_Controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
    return EditorUi::create(features, widget);
}

void cleanup(LV2UI_Handle ui) { delete static_cast<EditorUi*>(ui); }

// The editor reads the drum machine itself: port changes need no answer.
void portEvent(LV2UI_Handle, uint32_t, uint32_t, uint32_t, const void*) {}

int idle(LV2UI_Handle ui) { return static_cast<EditorUi*>(ui)->idle(); }

const void* extensionData(const char* uri) {
    static const LV2UI_Idle_Interface idleInterface = {idle};
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idleInterface : nullptr;
}

const LV2UI_Descriptor kDescriptor = {trommik2::lv2::kUiUri, instantiate, cleanup, portEvent, extensionData};

} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
