#include "BenchCases.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cfenv>
#include <chrono>
#include <memory>
#include <vector>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "HostInstance.h"
#include "MachineDriver.h"
#include "ModuleLoader.h"
#include "StressSetup.h"
#include "core/DrumMachine.h"

using namespace trommik2;

namespace {

constexpr float kTempo = 120.0f;
constexpr int kVoiceBlock = 64;

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

int blocksFor(double seconds) {
    return static_cast<int>(seconds * BenchCases::kSampleRate / BenchCases::kBlockFrames + 0.999);
}

double audioSeconds(int blocks) {
    return static_cast<double>(blocks) * BenchCases::kBlockFrames / BenchCases::kSampleRate;
}

long peakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void addRenderFigures(BenchResult& result, int blocks, double cpuSeconds, uint64_t voiceSamples) {
    result.add("audioSeconds", audioSeconds(blocks));
    result.add("cpuSeconds", cpuSeconds);
    result.add("realTimeFactor", audioSeconds(blocks) / cpuSeconds);
    result.add("renderedVoiceSamples", static_cast<double>(voiceSamples));
    result.add("nsPerSamplePerVoice", voiceSamples ? cpuSeconds * 1e9 / static_cast<double>(voiceSamples) : 0.0);
    result.add("peakMemoryKiB", static_cast<double>(peakMemoryKiB()));
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

// Mean CPU nanoseconds per 512-frame block through block processing, and the
// mean of the slowest second.
struct BlockTiming {
    double meanNs = 0.0;
    double lateMeanNs = 0.0; // from the tenth second on
    double worstSecondNs = 0.0;
};

BlockTiming timeBlocks(MachineDriver& driver, int blocks) {
    const int perSecond = BenchCases::kSampleRate / BenchCases::kBlockFrames;
    const int lateFrom = 10 * perSecond;
    BlockTiming timing;
    double total = 0.0, late = 0.0, window = 0.0;
    for (int b = 0; b < blocks; ++b) {
        double start = threadCpuSeconds();
        driver.renderBlock();
        double spent = threadCpuSeconds() - start;
        total += spent;
        window += spent;
        if (b >= lateFrom)
            late += spent;
        if ((b + 1) % perSecond == 0) {
            timing.worstSecondNs = std::max(timing.worstSecondNs, window * 1e9 / perSecond);
            window = 0.0;
        }
    }
    timing.meanNs = total * 1e9 / blocks;
    timing.lateMeanNs = blocks > lateFrom ? late * 1e9 / (blocks - lateFrom) : 0.0;
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

} // namespace

BenchResult BenchCases::defaultSetup(const std::string&, double) {
    // The start-up setup is a document of the content library; once that exists,
    // this case opens an instance beside the library and renders it as factory() does.
    BenchResult result = named("default", "skipped: needs the content library with the default setup");
    result.skipped = true;
    return result;
}

BenchResult BenchCases::factory(const std::string& modulePath, double seconds) {
    BenchResult result = named("factory", "entry point");
    ModuleLoader module;
    std::string error;
    if (!module.load(modulePath, &error)) {
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "skipped: %s", error.c_str());
        return result;
    }
    const int blocks = blocksFor(seconds);
    double cpu = 0.0;
    {
        HostInstance host(module.entry(), kSampleRate, kTempo);
        if (!host.open())
            return result;
        host.call(8);
        std::vector<float> interleaved(2 * kBlockFrames);
        double start = threadCpuSeconds();
        for (int b = 0; b < blocks; ++b)
            host.render(interleaved.data(), kBlockFrames, b * kBlockFrames);
        cpu = threadCpuSeconds() - start;
    }
    // The module keeps its counters to itself: the same blocks rendered in-process
    // give the same hits, hence the same voices.
    auto twin = std::make_unique<DrumMachine>(nullptr);
    MachineDriver driver(*twin, kSampleRate, kBlockFrames, kTempo);
    for (int b = 0; b < blocks; ++b)
        driver.renderBlock();
    addRenderFigures(result, blocks, cpu, twin->renderedVoiceSamples());
    return result;
}

BenchResult BenchCases::stress(double seconds) {
    BenchResult result = named("stress", "in-process");
    auto machine = stressMachine();
    if (!machine) {
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "skipped: the stress sample could not be written or loaded");
        return result;
    }
    MachineDriver driver(*machine, kSampleRate, kBlockFrames, kTempo);
    const int blocks = blocksFor(seconds);
    double start = threadCpuSeconds();
    for (int b = 0; b < blocks; ++b)
        driver.renderBlock();
    addRenderFigures(result, blocks, threadCpuSeconds() - start, machine->renderedVoiceSamples());
    return result;
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
        tail->trigger(t, 1.0f);
    const int blocks = blocksFor(seconds);
    BlockTiming tailTiming = timeBlocks(tailDriver, blocks);
    BlockTiming silenceTiming = timeBlocks(silenceDriver, blocks);
    result.add("audioSeconds", audioSeconds(blocks));
    result.add("tailNsPerBlock", tailTiming.meanNs);
    result.add("tailAfter10sNsPerBlock", tailTiming.lateMeanNs);
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
