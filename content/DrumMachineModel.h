#pragma once

#include <string>

#include "engine/InstrumentBank.h"
#include "sequencer/KnobSlots.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

// What a drum machine is, apart from how it renders and how it is controlled:
// the sixteen instruments with their names, samples, mute and solo, the master
// volume, the pattern with its timing, the knob slots, the names of the
// current documents and the step grid's resolution. Documents, the saved
// state, the editor and the plug-in all work on one of these.
//
// Threads: the user-interface thread edits it; the audio thread plays it. The
// values the audio thread reads are atomics (see InstrumentBank, Sequencer);
// the names, knob slots and resolution belong to the user-interface thread.
class DrumMachineModel {
  public:
    static constexpr int kTrackCount = InstrumentBank::kTrackCount;

    DrumMachineModel() : bank_(44100.0f), sequencer_(bank_.table()) {}

    InstrumentBank& bank() { return bank_; }
    const InstrumentBank& bank() const { return bank_; }
    Sequencer& sequencer() { return sequencer_; }
    const Sequencer& sequencer() const { return sequencer_; }
    KnobSlots& knobSlots() { return knobSlots_; }
    const KnobSlots& knobSlots() const { return knobSlots_; }
    const ParameterTable& table() const { return bank_.table(); }

    // The current document names, relative to their content folders.
    std::string& kitName() { return kitName_; }
    std::string& patternName() { return patternName_; }
    std::string& setupName() { return setupName_; }
    const std::string& kitName() const { return kitName_; }
    const std::string& patternName() const { return patternName_; }
    const std::string& setupName() const { return setupName_; }

    // 8, 16 or 32 steps per bar, as pattern documents carry it; other values
    // are ignored. 16 until an editor's grid says otherwise.
    int stepResolution() const { return stepResolution_; }
    void setStepResolution(int resolution);

  private:
    InstrumentBank bank_;
    Sequencer sequencer_;
    KnobSlots knobSlots_;
    std::string kitName_;
    std::string patternName_;
    std::string setupName_;
    int stepResolution_ = 16;
};

} // namespace trommik2
