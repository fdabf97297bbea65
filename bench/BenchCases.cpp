#include "BenchCases.h"

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cfenv>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "CpuClock.h"
#include "MachineDriver.h"
#include "SampleKitSetup.h"
#include "StressSetup.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "core/DrumMachine.h"

using namespace trommik2;

namespace {

constexpr float kTempo = 120.0f;
constexpr int kVoiceBlock = 64;

int blocksFor(double seconds, int blockFrames = BenchCases::kBlockFrames) {
    return static_cast<int>(seconds * BenchCases::kSampleRate / blockFrames + 0.999);
}

double audioSeconds(int blocks, int blockFrames = BenchCases::kBlockFrames) {
    return static_cast<double>(blocks) * blockFrames / BenchCases::kSampleRate;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void addRenderFigures(BenchResult& result, int blocks, double cpuSeconds, uint64_t voiceSamples,
                      int blockFrames = BenchCases::kBlockFrames) {
    result.add("audioSeconds", audioSeconds(blocks, blockFrames));
    result.add("cpuSeconds", cpuSeconds);
    result.add("realTimeFactor", audioSeconds(blocks, blockFrames) / cpuSeconds);
    result.add("renderedVoiceSamples", static_cast<double>(voiceSamples));
    result.add("nsPerSamplePerVoice", voiceSamples ? cpuSeconds * 1e9 / static_cast<double>(voiceSamples) : 0.0);
    result.add("peakMemoryKiB", static_cast<double>(peakMemoryKiB()));
}

// FNV-1a over the bits of the samples: the same audio gives the same hash.
constexpr uint64_t kHashSeed = 14695981039346656037ull;
uint64_t hash(uint64_t h, const float* samples, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &samples[i], sizeof bits);
        h = (h ^ bits) * 1099511628211ull;
    }
    return h;
}

BenchResult named(const char* name, const char* note) {
    BenchResult result;
    std::snprintf(result.name, sizeof result.name, "%s", name);
    std::snprintf(result.note, sizeof result.note, "%s", note);
    return result;
}

std::unique_ptr<DrumMachine> stressMachine() {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    if (!StressSetup::apply(*machine))
        return nullptr;
    return machine;
}

// Mean CPU nanoseconds per 512-frame block through block processing, the
// mean of the slowest second, and the mean over the blocks after the last
// one in which a voice still rendered (the tail under the silence gate).
struct BlockTiming {
    double meanNs = 0.0;
    double gatedMeanNs = 0.0;
    double gateClosedSeconds = 0.0;
    double worstSecondNs = 0.0;
};

BlockTiming timeBlocks(DrumMachine& machine, MachineDriver& driver, int blocks) {
    const int perSecond = BenchCases::kSampleRate / BenchCases::kBlockFrames;
    std::vector<double> spent(static_cast<size_t>(blocks));
    int lastVoiced = -1;
    for (int b = 0; b < blocks; ++b) {
        const uint64_t voicesBefore = machine.renderedVoiceSamples();
        double start = threadCpuSeconds();
        driver.renderBlock();
        spent[static_cast<size_t>(b)] = threadCpuSeconds() - start;
        if (machine.renderedVoiceSamples() != voicesBefore)
            lastVoiced = b;
    }
    BlockTiming timing;
    double total = 0.0, gated = 0.0, window = 0.0;
    for (int b = 0; b < blocks; ++b) {
        const double s = spent[static_cast<size_t>(b)];
        total += s;
        window += s;
        if (b > lastVoiced)
            gated += s;
        if ((b + 1) % perSecond == 0) {
            timing.worstSecondNs = std::max(timing.worstSecondNs, window * 1e9 / perSecond);
            window = 0.0;
        }
    }
    timing.meanNs = total * 1e9 / blocks;
    const int gatedBlocks = blocks - 1 - lastVoiced;
    timing.gatedMeanNs = gatedBlocks > 0 ? gated * 1e9 / gatedBlocks : 0.0;
    timing.gateClosedSeconds = audioSeconds(lastVoiced + 1);
    return timing;
}

// Sets or clears flush-to-zero and denormals-are-zero (x86 only): the cost of
// denormals shows as the difference between the two.
void flushDenormals(bool on) {
#if defined(__x86_64__)
    constexpr unsigned kModes = 0x8040;
    _mm_setcsr(on ? _mm_getcsr() | kModes : _mm_getcsr() & ~kModes);
#else
    (void)on;
#endif
}

// Mean CPU nanoseconds per 64-sample block of all sixteen voices rendered
// directly, in the rounding mode of block processing, from the tenth second
// of the given duration on.
double timeVoices(DrumMachine& machine, double seconds, bool hit, bool flushed) {
    InstrumentBank& bank = machine.bank();
    float left[kVoiceBlock], right[kVoiceBlock];
    const int blocks = static_cast<int>(seconds * BenchCases::kSampleRate / kVoiceBlock);
    const int lateFrom = std::min(blocks - 1, 10 * BenchCases::kSampleRate / kVoiceBlock);
    double spent = 0.0;
    flushDenormals(flushed);
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        InstrumentVoice& voice = bank.voice(t);
        if (hit)
            voice.trigger(1.0f);
        std::fesetround(FE_TOWARDZERO);
        for (int b = 0; b < lateFrom; ++b)
            voice.renderBlock(kVoiceBlock, left, right);
        double start = threadCpuSeconds();
        for (int b = lateFrom; b < blocks; ++b)
            voice.renderBlock(kVoiceBlock, left, right);
        spent += threadCpuSeconds() - start;
        std::fesetround(FE_TONEAREST);
    }
    flushDenormals(false);
    return spent * 1e9 / (static_cast<double>(blocks - lateFrom) * InstrumentBank::kTrackCount);
}

// Renders through the module's entry point as a host does, timing only the
// host calls. The module keeps its voice counters to itself, so an in-process
// twin loaded with the instance's state renders the same blocks for the count;
// the figures say whether the twin's audio matched bit for bit.
BenchResult throughEntryPoint(BenchResult result, const std::string& modulePath, double seconds) {
    ModuleLoader module;
    std::string error;
    if (!module.load(modulePath, &error)) {
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "skipped: %s", error.c_str());
        return result;
    }
    const int blocks = blocksFor(seconds);
    std::string state;
    double cpu = 0.0;
    uint64_t moduleHash = kHashSeed;
    {
        HostInstance host(module.entry(), BenchCases::kSampleRate, kTempo);
        if (!host.open() || !host.saveStateText(&state)) {
            result.skipped = true;
            std::snprintf(result.note, sizeof result.note, "skipped: the instance did not open");
            return result;
        }
        host.call(8);
        std::vector<float> interleaved(2 * BenchCases::kBlockFrames);
        for (int b = 0; b < blocks; ++b) {
            double start = threadCpuSeconds();
            host.render(interleaved.data(), BenchCases::kBlockFrames, b * BenchCases::kBlockFrames);
            cpu += threadCpuSeconds() - start;
            moduleHash = hash(moduleHash, interleaved.data(), interleaved.size());
        }
    }
    auto twin = std::make_unique<DrumMachine>(nullptr);
    twin->loadState(state.c_str());
    twin->resume();
    MachineDriver driver(*twin, BenchCases::kSampleRate, BenchCases::kBlockFrames, kTempo);
    uint64_t twinHash = kHashSeed;
    std::vector<float> interleaved(2 * BenchCases::kBlockFrames);
    for (int b = 0; b < blocks; ++b) {
        driver.renderBlock();
        for (int i = 0; i < BenchCases::kBlockFrames; ++i) {
            interleaved[2 * static_cast<size_t>(i)] = driver.left()[i];
            interleaved[2 * static_cast<size_t>(i) + 1] = driver.right()[i];
        }
        twinHash = hash(twinHash, interleaved.data(), interleaved.size());
    }
    addRenderFigures(result, blocks, cpu, twin->renderedVoiceSamples());
    result.add("twinMatchesModule", twinHash == moduleHash ? 1.0 : 0.0);
    return result;
}

// Renders a machine built in-process in host blocks of the given size.
BenchResult inProcess(BenchResult result, std::unique_ptr<DrumMachine> machine, double seconds, int blockFrames) {
    if (!machine) {
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "skipped: the sample could not be written or loaded");
        return result;
    }
    MachineDriver driver(*machine, BenchCases::kSampleRate, blockFrames, kTempo);
    const int blocks = blocksFor(seconds, blockFrames);
    double start = threadCpuSeconds();
    for (int b = 0; b < blocks; ++b)
        driver.renderBlock();
    addRenderFigures(result, blocks, threadCpuSeconds() - start, machine->renderedVoiceSamples(), blockFrames);
    return result;
}

} // namespace

BenchResult BenchCases::defaultSetup(const std::string& modulePath, double seconds) {
    return throughEntryPoint(named("default", "entry point, module beside its content library"), modulePath, seconds);
}

BenchResult BenchCases::factory(const std::string& modulePath, double seconds) {
    // A copy of the module in an empty folder finds no start-up setup and keeps
    // the factory state.
    std::error_code ec;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trommik2-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path copy = folder / "Trommik2.syn";
    std::filesystem::copy_file(modulePath, copy, std::filesystem::copy_options::overwrite_existing, ec);
    BenchResult result = throughEntryPoint(named("factory", "entry point, module without a content library"),
                                           ec ? modulePath : copy.string(), seconds);
    std::filesystem::remove_all(folder, ec);
    return result;
}

BenchResult BenchCases::stress(double seconds, int blockFrames) {
    char name[32];
    std::snprintf(name, sizeof name, blockFrames == kBlockFrames ? "stress" : "stress@%d", blockFrames);
    return inProcess(named(name, "in-process"), stressMachine(), seconds, blockFrames);
}

BenchResult BenchCases::sampleKit(double seconds) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    if (!SampleKitSetup::apply(*machine))
        machine.reset();
    return inProcess(named("samples", "in-process, imported-sample kit"), std::move(machine), seconds, kBlockFrames);
}

BenchResult BenchCases::denormals(double seconds) {
    BenchResult result = named("denormals", "in-process, stress kit without pattern");
    auto tail = stressMachine();
    auto silence = stressMachine();
    if (!tail || !silence) {
        result.skipped = true;
        return result;
    }
    for (DrumMachine* machine : {tail.get(), silence.get()})
        for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
            machine->sequencer().track(t).clear();
    MachineDriver tailDriver(*tail, kSampleRate, kBlockFrames, kTempo);
    MachineDriver silenceDriver(*silence, kSampleRate, kBlockFrames, kTempo);
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        tail->renderer().requestTrigger(t, 1.0f);
    const int blocks = blocksFor(seconds);
    BlockTiming tailTiming = timeBlocks(*tail, tailDriver, blocks);
    BlockTiming silenceTiming = timeBlocks(*silence, silenceDriver, blocks);
    result.add("audioSeconds", audioSeconds(blocks));
    result.add("tailNsPerBlock", tailTiming.meanNs);
    result.add("tailGateClosedSeconds", tailTiming.gateClosedSeconds);
    result.add("tailAfterGateNsPerBlock", tailTiming.gatedMeanNs);
    result.add("tailWorstSecondNsPerBlock", tailTiming.worstSecondNs);
    result.add("silenceNsPerBlock", silenceTiming.meanNs);
    result.add("silenceWorstSecondNsPerBlock", silenceTiming.worstSecondNs);
    result.add("tailRenderedVoiceSamples", static_cast<double>(tail->renderedVoiceSamples()));
    // The voices on their own keep rendering their tails for the whole time.
    // (The tail still sounds at first: compared from the tenth second on.)
    auto voiceCost = [seconds](bool hit, bool flushed) {
        auto machine = stressMachine();
        return machine ? timeVoices(*machine, seconds, hit, flushed) : -1.0;
    };
    result.add("voiceTailNsPerVoiceBlock", voiceCost(true, false));
    result.add("voiceTailFlushedNsPerVoiceBlock", voiceCost(true, true));
    result.add("voiceSilenceNsPerVoiceBlock", voiceCost(false, false));
    result.add("peakMemoryKiB", static_cast<double>(peakMemoryKiB()));
    return result;
}
