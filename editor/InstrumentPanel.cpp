#include "InstrumentPanel.h"

#include <memory>

#include <trommik2/control_ids.h>

#include "ControlTags.h"
#include "FrameKnob.h"
#include "PanelView.h"
#include "SkinBitmapSet.h"
#include "TagTables.h"
#include "TextLabel.h"
#include "TextMenu.h"
#include "ToggleSwitch.h"
#include "ValueIndicator.h"
#include "core/DrumMachine.h"

namespace trommik2 {
namespace {

constexpr int kEffectSlots = InstrumentPanel::kSlots - InstrumentPanel::kAssignable;

template <typename Control, typename... Args>
Control* place(PanelView& panel, Args&&... args) {
    return panel.add(std::make_unique<Control>(std::forward<Args>(args)...));
}

TextLabel* label(PanelView& lower, const ViewRect& rect, int tag, SkinColour colour) {
    auto* text = place<TextLabel>(lower, rect, tag, TextAlign::Centre);
    text->setMouseEnabled(false);
    text->setColour(colour);
    text->setFont(7.5, false);
    return text;
}

} // namespace

InstrumentPanel::InstrumentPanel(PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                                 ListProvider* lists, DrumMachine& machine, TagTables& tags)
    : machine_(machine), tags_(tags) {
    for (int k = 0; k < kAssignable; ++k)
        addAssignable(k, lower, bitmaps, listener, lists);
    for (int j = 0; j < kEffectSlots; ++j)
        addEffect(j, lower, bitmaps, listener);
}

void InstrumentPanel::addAssignable(int k, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                                    ListProvider* lists) {
    const int x = 309 + 63 * k;
    KnobSlot& s = slots_[k];
    s.indicator =
        place<ValueIndicator>(lower, ViewRect{x - 48, 66, x - 41, 80}, kTagFirstIndicator + k, bitmaps.get(28));
    s.value = label(lower, ViewRect{x - 39, 66, x + 6, 81}, kTagFirstValueLabel + k, skin::kAccent);
    s.automate =
        place<ToggleSwitch>(lower, ViewRect{x - 51, 87, x - 38, 100}, listener, kTagFirstAutomate + k, bitmaps.get(43));
    s.knob = place<FrameKnob>(lower, ViewRect{x - 27, 117, x, 144}, listener, kTagFirstKnob + k, bitmaps.get(11));
    s.menu = place<TextMenu>(lower, ViewRect{x - 44, 161, x + 16, 173}, listener, kTagFirstAssignMenu + k, nullptr,
                             lists, kControlFirstKnobSlot + k);
    s.menu->setFont(7.5, false);
}

void InstrumentPanel::addEffect(int j, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener) {
    const int x = 706 + 56 * j;
    KnobSlot& s = slots_[kAssignable + j];
    s.indicator =
        place<ValueIndicator>(lower, ViewRect{x - 44, 66, x - 37, 80}, kTagFirstEffectIndicator + j, bitmaps.get(28));
    s.name = label(lower, ViewRect{x - 35, 66, x + 5, 81}, kTagFirstEffectName + j, skin::kLabel);
    s.automate = place<ToggleSwitch>(lower, ViewRect{x - 47, 87, x - 34, 100}, listener,
                                     kTagFirstAutomate + kAssignable + j, bitmaps.get(43));
    s.knob = place<FrameKnob>(lower, ViewRect{x - 25, 103, x, 128}, listener, kTagFirstEffectKnob + j, bitmaps.get(12));
    s.value = label(lower, ViewRect{x - 34, 141, x + 9, 153}, kTagFirstEffectValue + j, skin::kAccent);
}

int InstrumentPanel::knobSlotOf(int tag) {
    return tag >= kTagFirstKnob && tag < kTagFirstKnob + kSlots ? tag - kTagFirstKnob : -1;
}

int InstrumentPanel::automateSlotOf(int tag) {
    return tag >= kTagFirstAutomate && tag < kTagFirstAutomate + kSlots ? tag - kTagFirstAutomate : -1;
}

int InstrumentPanel::menuSlotOf(int parameter) {
    return parameter >= kControlFirstKnobSlot && parameter < kControlFirstKnobSlot + kAssignable
               ? parameter - kControlFirstKnobSlot
               : -1;
}

int InstrumentPanel::parameterOf(int slot) const { return tags_.parameter(kTagFirstKnob + slot); }

void InstrumentPanel::refreshKnobs() {
    const int track = machine_.model().bank().selectedTrack;
    for (int k = 0; k < kAssignable; ++k) {
        const int parameter = machine_.model().knobSlots().parameter(track, k);
        tags_.setParameter(kTagFirstKnob + k, parameter);
        configure(k, parameter);
    }
    refreshLabels();
}

void InstrumentPanel::configure(int slot, int parameter) {
    const ParameterTable& table = machine_.model().bank().table();
    const ParameterDescriptor& d = table.descriptor(parameter);
    FrameKnob& knob = *slots_[slot].knob;
    knob.setDefaultValue(table.toNormalized(parameter, d.defaultValue));
    knob.setDiscretePositions(d.knobSteps, d.knobFineSteps);
    // One wheel step or arrow key is a hundredth of a continuous range.
    knob.setWheelIncrement(0.01f);
    slots_[slot].indicator->setMin(d.automationMinimum);
    slots_[slot].indicator->setMax(d.automationMaximum);
}

void InstrumentPanel::refreshLabels() {
    const ParameterTable& table = machine_.model().bank().table();
    for (int k = 0; k < kAssignable; ++k) {
        slots_[k].menu->setCurrent(table.shortName(parameterOf(k)));
        showValue(k);
    }
}

void InstrumentPanel::refreshEffect() {
    for (int j = kAssignable; j < kSlots; ++j) {
        const int parameter = parameterOf(j);
        configure(j, parameter);
        char name[DrumMachine::kDisplayLength] = {};
        machine_.getParameterName(parameter, name);
        slots_[j].name->setText(name);
        showValue(j);
    }
}

void InstrumentPanel::showValue(int slot) {
    const int parameter = parameterOf(slot);
    slots_[slot].knob->setValue(machine_.getParameter(parameter));
    slots_[slot].value->setText(display(parameter));
}

void InstrumentPanel::knobChanged(int slot) {
    const int parameter = parameterOf(slot);
    machine_.setParameter(parameter, slots_[slot].knob->value());
    for (int k = 0; k < kSlots; ++k)
        if (parameterOf(k) == parameter)
            showValue(k);
}

void InstrumentPanel::showAutomation(int step) {
    const TrackPattern& pattern = machine_.sequencer().track(machine_.model().bank().selectedTrack);
    for (int k = 0; k < kSlots; ++k) {
        const int parameter = parameterOf(k);
        ValueIndicator& indicator = *slots_[k].indicator;
        indicator.setVisible(pattern.hasAutomation(parameter));
        indicator.setValue(pattern.automationValue(parameter, step) * pattern.automationScale(parameter));
    }
}

void InstrumentPanel::lightAutomateSwitch(int slot) {
    for (int k = 0; k < kSlots; ++k)
        slots_[k].automate->setValue(k == slot ? 1.0f : 0.0f);
}

std::string InstrumentPanel::display(int parameter) const {
    char text[DrumMachine::kDisplayLength] = {};
    machine_.getParameterDisplay(parameter, text);
    return text;
}

} // namespace trommik2
