#include "TrackMenu.h"

#include "EditorFrame.h"
#include "MenuSession.h"
#include "StringTable.h"
#include "core/DrumMachine.h"

namespace trommik2 {
namespace {

MenuEntry entry(int text, int32_t command, bool enabled = true) {
    MenuEntry e;
    e.text = hintText(text);
    e.value = command;
    e.disabled = !enabled;
    return e;
}

MenuEntry separator() {
    MenuEntry e;
    e.separator = true;
    return e;
}

} // namespace

Menu TrackMenu::entries(const DrumMachine& machine, int track) {
    const TrackExchange& exchange = machine.trackExchange();
    const bool pastable = exchange.hasInstrument();
    return {
        entry(1051, kCopyInstrument),
        entry(1052, kPasteInstrument, pastable),
        separator(),
        entry(1062, kCopyWithTrackData),
        entry(1063, kPasteWithTrackData, pastable && exchange.hasTrackData()),
        separator(),
        entry(1053, kEmptyInstrument),
        entry(1054, kDefaultInstrument),
        separator(),
        entry(1055, kResetAutomation, machine.sequencer().track(track).hasAnyAutomation()),
    };
}

int32_t TrackMenu::choose(EditorFrame& frame, const DrumMachine& machine, int track, const ViewRect& field) {
    const Menu menu = entries(machine, track);
    MenuSession session(menu, frame.onScreen(field), frame.window()->screenBounds(), nullptr);
    frame.runMenu(session);
    return session.chosen() ? session.chosen()->value : 0;
}

bool TrackMenu::run(DrumMachine& machine, int track, int32_t command) {
    TrackExchange& exchange = machine.trackExchange();
    switch (command) {
    case kCopyInstrument: exchange.copyInstrument(track); return true;
    case kPasteInstrument: return exchange.pasteInstrument(track);
    case kCopyWithTrackData: exchange.copyInstrumentAndTrackData(track); return true;
    case kPasteWithTrackData: return exchange.pasteInstrumentAndTrackData(track);
    case kEmptyInstrument:
        return machine.contentLibrary().loadTemplate(track, ContentLibrary::kEmptyInstrumentTemplate, "");
    case kDefaultInstrument:
        return machine.contentLibrary().loadTemplate(track, ContentLibrary::kDefaultInstrumentTemplate, "default");
    case kResetAutomation: resetAutomation(machine, track); return true;
    default: return false;
    }
}

void TrackMenu::resetAutomation(DrumMachine& machine, int track) {
    TrackPattern& pattern = machine.sequencer().track(track);
    for (int parameter = 0; parameter < kParameterCount; ++parameter) {
        if (pattern.hasAutomation(parameter))
            for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot)
                pattern.clearAutomationPoint(parameter, slot);
        pattern.setAutomationScale(parameter, 1.0f);
        pattern.setAutomationRandom(parameter, 0.0f);
    }
    machine.patternChanged();
}

} // namespace trommik2
