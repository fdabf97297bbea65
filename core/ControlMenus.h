#pragma once

#include <cstdint>

#include "ListProvider.h"

namespace trommik2 {

class ContentList;
class DrumMachine;

// Builds the editor's pop-up menus from the drum machine's current state: the
// knob assignments (module groups, then their parameters), the synthesis and
// effect types, and the content lists. User-interface thread.
class ControlMenus {
  public:
    explicit ControlMenus(const DrumMachine& machine) : machine_(machine) {}

    Menu fill(int32_t identifier) const;

  private:
    Menu knobMenu(int slot) const;
    MenuEntry groupEntry(int group, int assigned, bool schematic) const;
    Menu synthesisMenu() const;
    Menu effectMenu() const;
    Menu contentMenu(int kind) const;
    void addLevel(const ContentList& list, int parent, int current, Menu& menu) const;

    const DrumMachine& machine_;
};

} // namespace trommik2
