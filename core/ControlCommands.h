#pragma once

#include <cstdint>
#include <string>

#include "ControlMenus.h"
#include "ListProvider.h"
#include "content/WavLoader.h"

namespace trommik2 {

class DrumMachine;

// The drum machine's side of the editor's pop-up menus and lists: knob
// assignments, synthesis and effect types, the documents and the track's
// sample, with the state snapshot that the document lists restore.
// User-interface thread.
class ControlCommands : public ListProvider {
  public:
    explicit ControlCommands(DrumMachine& machine) : machine_(machine), menus_(machine) {}

    Menu fillMenu(int32_t identifier) override { return menus_.fill(identifier); }
    // Carries out the choice value (or the document named text) of control
    // identifier; returns true when flag is non-zero. A document or sample
    // loaded as a preview (flag 0) makes the host start playing when it is
    // not rendering, so that it is heard.
    bool command(int32_t identifier, int32_t kind, const char* text, int32_t flag, int32_t value) override;
    // For the document lists: the whole state is kept at the start of an edit
    // and given back at its end.
    void beginEdit(int32_t identifier) override;
    void endEdit(int32_t identifier) override;

  private:
    // The synthesis type and sample menus, under the process lock; true when
    // a sample was loaded.
    bool runLocked(int32_t identifier, const char* text, int32_t value);
    void assignKnob(int32_t identifier, int32_t kind, int32_t value);
    // Under the process lock; sample and path then hold the previous data and
    // path, to free after it.
    bool setSample(std::string& path, int32_t value, WavLoader::Decoded& sample);

    DrumMachine& machine_;
    ControlMenus menus_;
    std::string snapshot_;
};

} // namespace trommik2
