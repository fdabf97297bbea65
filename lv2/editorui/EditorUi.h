#pragma once

#include <cstdint>
#include <memory>

#include <lv2/ui/ui.h>

#include "lv2/EditorLink.h"

namespace trommik2 {

class DrumMachine;
class EditorWindow;

namespace lv2 {

// The LV2 user interface: the drum machine's own editor, opened as a child of
// the host's window on the drum machine that instance-access hands over, its
// input and idle work driven by the host's idle calls, its two heights passed
// on through ui:resize. User-interface thread.
class EditorUi : private EditorLink {
  public:
    // Null without a parent window or access to the instance, or without a display.
    static EditorUi* create(const LV2_Feature* const* features, LV2UI_Widget* widget);
    ~EditorUi() override;

    // The host's idle call: takes in the X events and, every 40 ms, the
    // editor's idle work. Non-zero once the editor was closed from its own button.
    int idle();

  private:
    EditorUi(DrumMachine& machine, const LV2UI_Resize* resize);
    bool open(uintptr_t parent);
    void resizeEditor(int width, int height) override;

    DrumMachine& machine_;
    const LV2UI_Resize* resize_;
    std::unique_ptr<EditorWindow> editor_;
    uint64_t lastIdle_ = 0;
};

} // namespace lv2
} // namespace trommik2
