#include "SampleKitSetup.h"

#include <mutex>

#include "Recipes.h"
#include "StressSetup.h"
#include "core/DrumMachine.h"

namespace trommik2 {

bool SampleKitSetup::apply(DrumMachine& machine) {
    const bool loaded = StressSetup::loadSampleEverywhere(machine);
    InstrumentBank& bank = machine.bank();
    {
        std::lock_guard<ProcessLock> lock(machine.processLock());
        machine.sequencer().setBars(1);
        for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
            // The template's document holds every parameter: the defaults, then its own values.
            for (int i = GenSynthesisType; i < kParameterCount; ++i)
                bank.setValue(t, i, bank.table().descriptor(i).defaultValue);
            for (const Setting& s : autoImportTemplate().settings)
                bank.setValue(t, s.index, s.value);
            TrackPattern& pattern = machine.sequencer().track(t);
            pattern.clear();
            pattern.setStep(2 * t, 100); // thirty-second slots: track t on sixteenth t
        }
    }
    machine.suspend();
    machine.resume();
    return loaded;
}

} // namespace trommik2
