#include "ControlMenus.h"

#include "DrumMachine.h"
#include "content/ContentList.h"
#include "engine/effects/EffectRegistry.h"

namespace trommik2 {

namespace {

// The groups a knob may show besides the synthesis type's own; the effects
// group is missing because the effect knobs have fixed parameters.
constexpr int kSampleGroup = 4;
constexpr int kFurtherKnobGroups[] = {kSampleGroup, 5, 6, 8};
constexpr int32_t kParameterChoice = 1;
constexpr int32_t kSchematicToggle = -1;
const char* const kShowSchematics = "Show module schematics";

MenuEntry choice(const char* text, int32_t value, bool marked) {
    MenuEntry entry;
    entry.text = text;
    entry.value = value;
    entry.marked = marked;
    return entry;
}

bool holds(const ContentList& list, int folder, int index) {
    for (int at = index; list.valid(at); at = list.entry(at).parent)
        if (at == folder)
            return true;
    return false;
}

} // namespace

Menu ControlMenus::fill(int32_t identifier) const {
    if (identifier >= kControlFirstKnobSlot && identifier <= kControlLastAssignableKnob)
        return knobMenu(identifier - kControlFirstKnobSlot);
    if (identifier == kControlEffectTypeMenu)
        return effectMenu();
    if (identifier == kControlSynthesisTypeMenu)
        return synthesisMenu();
    if (identifier >= kControlInstrumentMenu && identifier <= kControlSampleMenu)
        return contentMenu(kContentInstruments + (identifier - kControlInstrumentMenu));
    return {};
}

MenuEntry ControlMenus::groupEntry(int group, int assigned, bool schematic) const {
    const InstrumentBank& bank = machine_.model().bank();
    const ParameterTable& table = bank.table();
    const TrackPattern& pattern = machine_.model().sequencer().track(bank.selectedTrack);
    MenuEntry entry = choice(table.groupName(group), group, table.groupOf(assigned) == group);
    entry.submenu = true;
    for (int parameter : table.groupMembers(group)) {
        MenuEntry member = choice(table.shortName(parameter), parameter, parameter == assigned);
        member.kind = kParameterChoice;
        member.hasAutomation = pattern.hasAutomation(parameter);
        member.highlightInSchematic = schematic;
        entry.children.push_back(member);
    }
    return entry;
}

Menu ControlMenus::knobMenu(int slot) const {
    const InstrumentBank& bank = machine_.model().bank();
    const int track = bank.selectedTrack;
    const int assigned = machine_.model().knobSlots().parameter(track, slot);
    const bool schematic = machine_.displaysSchematics();
    Menu menu;
    // Synthesis types 0..2 show the group of the same number.
    int synthesis = bank.voice(track).generator().synthesisType();
    if (synthesis >= 0 && synthesis < kNoSynthesis)
        menu.push_back(groupEntry(synthesis, assigned, schematic));
    for (int group : kFurtherKnobGroups)
        menu.push_back(groupEntry(group, assigned, schematic));
    MenuEntry separator;
    separator.separator = true;
    menu.push_back(separator);
    menu.push_back(choice(kShowSchematics, kSchematicToggle, schematic));
    return menu;
}

Menu ControlMenus::synthesisMenu() const {
    const InstrumentBank& bank = machine_.model().bank();
    int current = bank.voice(bank.selectedTrack).generator().synthesisType();
    Menu menu;
    for (int type = 0; type <= kNoSynthesis; ++type)
        menu.push_back(choice(bank.table().groupName(type), type, type == current));
    return menu;
}

Menu ControlMenus::effectMenu() const {
    const InstrumentBank& bank = machine_.model().bank();
    int current = bank.voice(bank.selectedTrack).effects().effectType();
    Menu menu;
    for (int type = 0; type < kEffectTypeCount; ++type)
        menu.push_back(choice(effectDefinition(type).description.longName, type, type == current));
    return menu;
}

Menu ControlMenus::contentMenu(int kind) const {
    const ContentLibrary& library = machine_.contentLibrary();
    Menu menu;
    if (const ContentList* list = library.list(kind))
        addLevel(*list, ContentList::kTop, library.currentEntry(kind), menu);
    return menu;
}

void ControlMenus::addLevel(const ContentList& list, int parent, int current, Menu& menu) const {
    const int first = list.firstChild(parent);
    for (int i = first; i < first + list.childCount(parent); ++i) {
        const ContentEntry& item = list.entry(i);
        MenuEntry entry = choice(item.title().c_str(), i, holds(list, i, current));
        entry.path = item.path;
        entry.submenu = item.folder;
        if (item.folder)
            addLevel(list, i, current, entry.children);
        menu.push_back(entry);
    }
}

} // namespace trommik2
