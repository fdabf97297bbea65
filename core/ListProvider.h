#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trommik2 {

// One entry of a pop-up menu the editor draws. Choosing it sends the menu's
// control identifier with kind and value (and, for the sample menu, path as
// the text) to ListProvider::command.
struct MenuEntry {
    std::string text;
    int32_t kind = 0;
    int32_t value = 0;
    // The current choice, or the group or folder that holds it.
    bool marked = false;
    // An entry without a choice that separates the ones above and below.
    bool separator = false;
    // Shown, but it cannot be chosen.
    bool disabled = false;
    // Opens children as the next level (possibly empty: a folder without files).
    bool submenu = false;
    std::vector<MenuEntry> children;
    // Knob menus: the selected track automates this parameter.
    bool hasAutomation = false;
    // Knob menus: the editor highlights the parameter in the module schematic
    // while the mouse is over the entry.
    bool highlightInSchematic = false;
    // Content menus: the entry's file or folder.
    std::string path;
};

using Menu = std::vector<MenuEntry>;

// What the editor's menus and lists ask of the plug-in: the entries of a
// control's menu, the user's choice, and the start and end of an edit.
// User-interface thread.
class ListProvider {
  public:
    virtual ~ListProvider() = default;

    // The whole menu of a control, every level at once; empty for controls
    // without one.
    virtual Menu fillMenu(int32_t identifier) = 0;
    // Carries out a choice; returns true when flag is non-zero. A zero flag
    // marks a preview (the mouse resting on a document entry).
    virtual bool command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) = 0;
    virtual void beginEdit(int32_t identifier) = 0;
    virtual void endEdit(int32_t identifier) = 0;
};

} // namespace trommik2
