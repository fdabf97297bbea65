#pragma once

#include <array>
#include <string>

namespace trommik2 {

class ControlListener;
class DrumMachine;
class FrameKnob;
class ListProvider;
class PanelView;
class SkinBitmapSet;
class TagTables;
class TextLabel;
class TextMenu;
class ToggleSwitch;
class ValueIndicator;

// The controls of one knob slot of the lower panel.
struct KnobSlot {
    FrameKnob* knob = nullptr;
    TextLabel* value = nullptr;
    // Effect slots name their parameter in a label, assignable ones in their menu.
    TextLabel* name = nullptr;
    TextMenu* menu = nullptr;
    ValueIndicator* indicator = nullptr;
    ToggleSwitch* automate = nullptr;
};

// The ten knob slots that edit the selected track's instrument: six whose
// parameters the user assigns, then the four knobs of the effect. Each knob
// works in normalised positions with the steps and default of its parameter;
// knobs that show the same parameter follow each other. Building adds the
// controls to the lower panel, which owns them. User-interface thread.
class InstrumentPanel {
  public:
    static constexpr int kSlots = 10;
    static constexpr int kAssignable = 6;

    InstrumentPanel(PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener, ListProvider* lists,
                    DrumMachine& machine, TagTables& tags);

    // The slot of a knob tag (14..23) or of an automate switch tag (177..186); -1 for others.
    static int knobSlotOf(int tag);
    static int automateSlotOf(int tag);
    // The slot of an assignment menu's parameter (10002..10007), -1 for others.
    static int menuSlotOf(int parameter);

    const KnobSlot& slot(int k) const { return slots_[k]; }
    int parameterOf(int slot) const;

    // Takes the selected track's assignments into the tag table and sets each
    // assignable knob's steps and default; then the labels.
    void refreshKnobs();
    // Values, names and display texts of the assignable slots.
    void refreshLabels();
    // Values, names and display texts of the effect slots.
    void refreshEffect();
    // A knob moved: writes its parameter, and every other slot that shows the
    // same parameter follows.
    void knobChanged(int slot);
    // The indicators show the selected track's automation at a step (scaled by
    // the lane's scale); slots whose parameter is not automated hide theirs.
    void showAutomation(int step);
    // Lights the automate switch of a slot, or none for -1.
    void lightAutomateSwitch(int slot);

  private:
    void addAssignable(int k, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                       ListProvider* lists);
    void addEffect(int j, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener);
    void configure(int slot, int parameter);
    void showValue(int slot);
    std::string display(int parameter) const;

    DrumMachine& machine_;
    TagTables& tags_;
    std::array<KnobSlot, kSlots> slots_{};
};

} // namespace trommik2
