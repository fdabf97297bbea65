#include "StressExport.h"

#include <filesystem>

#include "StressSetup.h"
#include "core/DrumMachine.h"

using namespace trommik2;

bool StressExport::write(const std::string& root, std::string* state) {
    const std::filesystem::path samples = std::filesystem::path(root) / "Trommik2" / "Samples";
    std::error_code ec;
    std::filesystem::create_directories(samples, ec);
    const std::string sample = (samples / "Stress.wav").string();
    DrumMachine machine(nullptr);
    machine.startUp(root, (std::filesystem::path(root) / "Trommik2.ini").string());
    if (ec || !StressSetup::writeSample(sample) || !StressSetup::apply(machine))
        return false;
    // The setup loaded the sample from a file of its own; the state names the
    // copy in the content tree.
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        machine.bank().track(t).samplePath = sample;
    return machine.saveState(*state);
}
