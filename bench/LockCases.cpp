#include "LockCases.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "MachineDriver.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "core/DrumMachine.h"

using namespace trommik2;

namespace {

constexpr int kSampleRate = 44100;
constexpr int kBlockFrames = 512;
constexpr int kOpens = 8;

double milliseconds(int64_t ns) { return static_cast<double>(ns) * 1e-6; }

BenchResult named(const char* name, const char* note) {
    BenchResult result;
    std::snprintf(result.name, sizeof result.name, "%s", name);
    std::snprintf(result.note, sizeof result.note, "%s", note);
    return result;
}

// Renders blocks on a thread of its own, a little slower than a host would
// ask for them, until stopped.
class RenderingThread {
  public:
    explicit RenderingThread(DrumMachine& machine) : driver_(machine, kSampleRate, kBlockFrames) {
        thread_ = std::thread([this] {
            while (!stop_) {
                driver_.renderBlock();
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            }
        });
    }
    ~RenderingThread() {
        stop_ = true;
        thread_.join();
    }

  private:
    MachineDriver driver_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void loadEvery(DrumMachine& machine, int kind) {
    const ContentList* list = machine.contentLibrary().list(kind);
    for (int i = 0; list && i < list->size(); ++i)
        machine.contentLibrary().loadEntry(kind, i);
}

void pasteAround(DrumMachine& machine) {
    TrackExchange& exchange = machine.trackExchange();
    for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
        exchange.copyInstrumentAndTrackData(t);
        exchange.pasteInstrumentAndTrackData((t + 5) % DrumMachine::kTrackCount);
        exchange.exchangeInstruments(t, (t + 3) % DrumMachine::kTrackCount);
    }
}

void switchTypes(DrumMachine& machine) {
    const ParameterTable& table = machine.model().table();
    for (int t = 0; t < DrumMachine::kTrackCount; ++t) {
        machine.setParameter(kParamSelectTrack, static_cast<float>(t));
        machine.setParameter(FXActive, 1.0f);
        for (int type = 0; type < 14; ++type)
            machine.setParameter(FXType, table.toNormalized(FXType, static_cast<float>(type)));
        for (int type = 13; type >= 0; --type) // the editor's menu
            machine.command(kControlEffectTypeMenu, 0, nullptr, 1, type);
        for (int type = 0; type < 4; ++type)
            machine.setParameter(GenSynthesisType, table.toNormalized(GenSynthesisType, static_cast<float>(type)));
        machine.setParameter(FXActive, 0.0f);
    }
}

} // namespace

BenchResult LockCases::userInterfaceHolds(const std::string& modulePath) {
    BenchResult result = named("locks", "in-process, beside the module's content library");
    auto machine = std::make_unique<DrumMachine>(nullptr);
    const std::string root = std::filesystem::path(modulePath).parent_path().string();
    machine->startUp(root, (std::filesystem::path(root) / "Trommik2.ini").string());
    RenderingThread rendering(*machine);
    const std::pair<const char*, std::function<void()>> work[] = {
        {"kitLoadMs", [&] { loadEvery(*machine, kContentDrumkits); }},
        {"setupLoadMs", [&] { loadEvery(*machine, kContentSetups); }},
        {"patternLoadMs", [&] { loadEvery(*machine, kContentPatterns); }},
        {"pasteMs", [&] { pasteAround(*machine); }},
        {"typeSwitchMs", [&] { switchTypes(*machine); }},
    };
    double longest = 0.0;
    for (const auto& [key, run] : work) {
        machine->processLock().resetMeasurement();
        run();
        const double held = milliseconds(machine->processLock().longestForeignHoldNs());
        result.add(key, held);
        longest = std::max(longest, held);
    }
    result.add("longestHoldMs", longest);
    return result;
}

namespace {

// The longest wall time of one render call that overlapped an open, and of one that did not.
struct RenderTimes {
    std::atomic<int64_t> longestWhileOpeningNs{0};
    std::atomic<int64_t> longestOtherwiseNs{0};
    std::atomic<int> callsWhileOpening{0};
};

void renderUntil(HostInstance& instance, const std::atomic<bool>& opening, const std::atomic<bool>& stop,
                 RenderTimes& times) {
    std::vector<float> buffer(2 * kBlockFrames);
    int32_t position = 0;
    while (!stop) {
        const bool duringOpen = opening;
        auto start = std::chrono::steady_clock::now();
        instance.render(buffer.data(), kBlockFrames, position);
        int64_t ns =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
        const bool overlapped = duringOpen || opening;
        std::atomic<int64_t>& longest = overlapped ? times.longestWhileOpeningNs : times.longestOtherwiseNs;
        longest = std::max(longest.load(), ns);
        if (overlapped)
            ++times.callsWhileOpening;
        position += kBlockFrames;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

} // namespace

BenchResult LockCases::renderWhileOpening(const std::string& modulePath) {
    BenchResult result = named("open", "entry point, one instance rendering while another opens");
    ModuleLoader loader;
    std::string error;
    if (!loader.load(modulePath, &error)) {
        result.skipped = true;
        std::snprintf(result.note, sizeof result.note, "skipped: %s", error.c_str());
        return result;
    }
    HostInstance rendering(loader.entry(), kSampleRate, 120.0f);
    if (!rendering.open())
        return result;
    std::atomic<bool> opening{false}, stop{false};
    RenderTimes times;
    std::vector<float> warmUp(2 * kBlockFrames);
    for (int block = 0; block < 100; ++block) // a fresh instance's first blocks are not what is measured
        rendering.render(warmUp.data(), kBlockFrames, block * kBlockFrames);
    std::thread audio([&] { renderUntil(rendering, opening, stop, times); });
    std::this_thread::sleep_for(std::chrono::seconds(1)); // normal calls first
    double openMs = 0.0;
    for (int i = 0; i < kOpens; ++i) {
        opening = true;
        {
            HostInstance other(loader.entry(), kSampleRate, 120.0f);
            auto start = std::chrono::steady_clock::now();
            other.open();
            openMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        } // and closed again
        opening = false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    stop = true;
    audio.join();
    result.add("openMs", openMs / kOpens);
    result.add("renderCallsWhileOpening", times.callsWhileOpening);
    result.add("longestRenderWhileOpeningMs", milliseconds(times.longestWhileOpeningNs));
    result.add("longestRenderOtherwiseMs", milliseconds(times.longestOtherwiseNs));
    return result;
}
