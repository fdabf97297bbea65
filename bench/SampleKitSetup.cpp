#include "SampleKitSetup.h"

#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "Recipes.h"
#include "StressSetup.h"
#include "content/WavLoader.h"
#include "core/DrumMachine.h"

namespace trommik2 {

bool SampleKitSetup::apply(DrumMachine& machine) {
    auto name = "trommik2-kit-" + std::to_string(getpid()) + ".wav";
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    bool loaded = StressSetup::writeSample(path);
    InstrumentBank& bank = machine.bank();
    {
        std::lock_guard<ProcessLock> lock(machine.processLock());
        machine.sequencer().setBars(1);
        for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
            loaded = loaded && WavLoader::loadSample(path, bank.voice(t).generator().sample());
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
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    machine.suspend();
    machine.resume();
    return loaded;
}

} // namespace trommik2
