#include "TrackRows.h"

#include <trommik2/control_ids.h>

#include "ControlTags.h"
#include "EditorFrame.h"
#include "FrontPanel.h"
#include "MomentaryButton.h"
#include "TextMenu.h"
#include "ToggleSwitch.h"
#include "TrackNameField.h"
#include "core/DrumMachine.h"

namespace trommik2 {

namespace {

constexpr int kSelectedShade = 2;
constexpr int kExchangeCursor = 4002;
constexpr int kArrowCursor = 0;

std::string display(DrumMachine& machine, int index) {
    char text[DrumMachine::kDisplayLength] = {};
    machine.getParameterDisplay(index, text);
    return text;
}

// Row pictures hold their frames for the even, the odd and the selected shade, one below the other.
void shadeControl(SkinControl* control, int shade, int frames) {
    control->setBackgroundOffset({0, shade * frames * control->rect().height()});
}

bool inColumn(int tag, int first) { return tag >= first && tag < first + FrontPanel::kTracks; }

} // namespace

void TrackRows::shade(int selected) {
    for (int t = 0; t < FrontPanel::kTracks; ++t) {
        const int shade = t == selected ? kSelectedShade : t % 2;
        TrackRow& row = panel_.rows[t];
        for (SkinControl* control : {static_cast<SkinControl*>(row.mute), static_cast<SkinControl*>(row.solo),
                                     static_cast<SkinControl*>(row.previous), static_cast<SkinControl*>(row.next)})
            shadeControl(control, shade, 2);
        shadeControl(row.name, shade, 1);
        shadeControl(row.menu, shade, 1);
    }
}

void TrackRows::refresh() {
    for (int t = 0; t < FrontPanel::kTracks; ++t) {
        TrackRow& row = panel_.rows[t];
        row.name->setText(display(machine_, kDisplayInstrumentNameFirst + t));
        row.name->setColour(skin::kText);
        row.mute->setValue(machine_.getParameter(kParamMuteFirst + t));
        row.solo->setValue(machine_.getParameter(kParamSoloFirst + t));
    }
}

int TrackRows::dragged(SkinControl* source, ViewPoint where, bool released) {
    const int tag = source->tag();
    if (inColumn(tag, kTagFirstMute))
        paintSwitch(kTagFirstMute, source, where);
    else if (inColumn(tag, kTagFirstSolo))
        paintSwitch(kTagFirstSolo, source, where);
    else if (inColumn(tag, kTagFirstName))
        return exchangeDrag(tag - kTagFirstName, where, released);
    return -1;
}

void TrackRows::paintSwitch(int firstTag, SkinControl* source, ViewPoint where) {
    auto* over = dynamic_cast<SkinControl*>(frame_.viewAt(where));
    if (!over || over == source || !inColumn(over->tag(), firstTag) || over->value() == source->value())
        return;
    const int track = over->tag() - firstTag;
    const int parameter = (firstTag == kTagFirstMute ? kParamMuteFirst : kParamSoloFirst) + track;
    machine_.setParameter(parameter, source->value());
    over->setValue(source->value());
}

int TrackRows::nameFieldAt(ViewPoint where) const {
    auto* over = dynamic_cast<SkinControl*>(frame_.viewAt(where));
    return over && inColumn(over->tag(), kTagFirstName) ? over->tag() - kTagFirstName : -1;
}

void TrackRows::showNames(int source, int target) {
    for (int t = 0; t < FrontPanel::kTracks; ++t) {
        TrackNameField* name = panel_.rows[t].name;
        const bool swapped = target >= 0 && (t == source || t == target);
        const int shown = !swapped ? t : t == source ? target : source;
        name->setText(display(machine_, kDisplayInstrumentNameFirst + shown));
        name->setColour(swapped ? skin::kNameHighlight : skin::kText);
    }
}

int TrackRows::exchangeDrag(int source, ViewPoint where, bool released) {
    int target = nameFieldAt(where);
    if (target == source)
        target = -1;
    if (!released) {
        frame_.setCursor(kExchangeCursor);
        showNames(source, target);
        return -1;
    }
    frame_.setCursor(kArrowCursor);
    if (target >= 0)
        machine_.trackExchange().exchangeInstruments(source, target);
    showNames(source, -1);
    return target;
}

} // namespace trommik2
