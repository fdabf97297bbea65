#include "LibraryReport.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "HitMeter.h"
#include "LibraryMachine.h"
#include "WavFile.h"

namespace trommik2 {

namespace {

constexpr int kRate = LibraryMachine::kRate;
// Four bars at 120 BPM.
constexpr int kGrooveFrames = 8 * kRate;

void writeHit(const std::vector<float>& interleaved, const std::string& folder, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '-');
    std::vector<float> mid(interleaved.size() / 2);
    for (size_t i = 0; i < mid.size(); ++i)
        mid[i] = 0.5f * (interleaved[2 * i] + interleaved[2 * i + 1]);
    std::string error;
    if (!WavFile::writeMono16((std::filesystem::path(folder) / (name + ".wav")).string(), mid, kRate, &error))
        std::printf("  %s\n", error.c_str());
}

void printInstruments(LibraryMachine& m, const std::string& hitsFolder) {
    std::printf("Instruments (one hit at full velocity; loudness at half velocity)\n");
    for (const InstrumentRecipe& r : instrumentRecipes()) {
        if (!m.machine().instrumentDocument().loadInstrumentFile(0, m.documentPath(r.name, kContentInstruments),
                                                                 false)) {
            std::printf("  %-24s DOES NOT LOAD\n", r.name.c_str());
            continue;
        }
        const std::vector<float> hit = m.renderHit(0, 1.0f, 4 * kRate);
        if (!hitsFolder.empty())
            writeHit(hit, hitsFolder, r.name);
        HitFigures full = HitMeter::measure(hit, kRate);
        HitFigures half = HitMeter::measure(m.renderHit(0, 0.5f, kRate), kRate);
        std::printf("  %-24s %s  half %6.1f dB\n", r.name.c_str(), HitMeter::describe(full).c_str(), half.weightedDb);
    }
}

void printKits(LibraryMachine& m) {
    for (const KitRecipe& kit : kitRecipes()) {
        std::printf("Kit %s\n", kit.name.c_str());
        if (!m.machine().drumkitDocument().loadDrumkitFile(m.documentPath(kit.name, kContentDrumkits), false)) {
            std::printf("  DOES NOT LOAD\n");
            continue;
        }
        for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
            HitFigures f = HitMeter::measure(m.renderHit(t, 1.0f, 2 * kRate), kRate);
            std::printf("  %2d %-22s peak %.3f loud %6.1f dB weighted %6.1f dB ring %5.0f ms pan L %.2f R %.2f\n", t,
                        m.machine().bank().track(t).name.c_str(), f.peak, f.loudnessDb, f.weightedDb, f.ringMs,
                        f.peakLeft, f.peakRight);
        }
    }
}

void printGroove(LibraryMachine& m, const std::string& name) {
    int playing = 0;
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        playing += m.machine().sequencer().track(t).hasSteps() ? 1 : 0;
    HitFigures f = HitMeter::measure(m.renderPattern(kGrooveFrames), kRate);
    std::printf("  %-28s tracks %2d  peak %.3f (L %.3f R %.3f) loud %6.1f dB weighted %6.1f dB offset %+.5f%s\n",
                name.c_str(), playing, f.peak, f.peakLeft, f.peakRight, f.loudnessDb, f.weightedDb, f.offset,
                f.finite ? "" : " NOT FINITE");
}

void printGrooves(LibraryMachine& m) {
    std::printf("Setups (four bars at 120 BPM)\n");
    for (const SetupRecipe& s : setupRecipes()) {
        if (m.machine().setupDocument().loadSetupFile(m.documentPath(s.name, kContentSetups), false))
            printGroove(m, s.name);
        else
            std::printf("  %-28s DOES NOT LOAD\n", s.name.c_str());
    }
    std::printf("Patterns with the default setup's kit\n");
    for (const PatternRecipe& p : patternRecipes()) {
        m.machine().setupDocument().loadSetupFile(m.documentPath("default", kContentSetups), false);
        if (m.machine().patternDocument().loadPatternFile(m.documentPath(p.name, kContentPatterns), false))
            printGroove(m, p.name);
        else
            std::printf("  %-28s DOES NOT LOAD\n", p.name.c_str());
    }
}

} // namespace

void LibraryReport::print(const std::string& root, const std::string& hitsFolder) {
    LibraryMachine m(root);
    if (!hitsFolder.empty())
        std::filesystem::create_directories(hitsFolder);
    printInstruments(m, hitsFolder);
    printKits(m);
    printGrooves(m);
}

} // namespace trommik2
