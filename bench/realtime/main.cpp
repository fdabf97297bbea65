// trommik2-rtbench: the standalone instrument's audio callback in real time.
// Plays the stress setup through a JACK server of its own (dummy backend, 64
// frames per buffer) for a minute and reports the callback's worst case as a
// fraction of the buffer period, then times a fixed workload of the callbacks'
// average cost the same way for as long: what the machine alone does to a
// worst case.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "CallbackTimes.h"
#include "MachineNoise.h"
#include "StressExport.h"
#include "apps/common/Arguments.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "apps/standalone/AudioEngine.h"
#include "apps/standalone/AudioOutput.h"
#include "common/JackServer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr int kBuffer = 64;

// The processor time of each callback: its wall time also counts the moments
// other processes held the processor, which on a shared machine says more
// about the machine than about the callback. Read after the stream stopped.
CallbackTimes callbackTimes;

void renderAudio(float* interleaved, int frames, bool xrun, void* user) {
    const int64_t cpu = MachineNoise::threadCpuNanoseconds();
    static_cast<AudioEngine*>(user)->process(interleaved, frames, xrun, AudioEngine::nowNanoseconds());
    callbackTimes.record(MachineNoise::threadCpuNanoseconds() - cpu);
}

void report(const CallbackTimes& times, const char* what, const char* key, double period, std::FILE* json) {
    std::printf("  %s: worst %.0f us = %.1f %% of the period; 99.99 %% within %.0f us = %.1f %%; average %.0f us\n",
                what, times.worstMicroseconds(), 100.0 * times.worstMicroseconds() / period,
                times.percentileMicroseconds(0.9999), 100.0 * times.percentileMicroseconds(0.9999) / period,
                times.averageMicroseconds());
    if (json)
        std::fprintf(
            json,
            "\"%s\": {\"worstUs\": %.1f, \"worstFractionOfPeriod\": %.4f, \"p9999Us\": %.1f, \"averageUs\": %.1f}, ",
            key, times.worstMicroseconds(), times.worstMicroseconds() / period, times.percentileMicroseconds(0.9999),
            times.averageMicroseconds());
}

int fail(const std::string& message) {
    std::fprintf(stderr, "trommik2-rtbench: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args(argc, argv, 1);
    std::string modulePath = ModuleLoader::defaultPath();
    std::string jsonPath = "realtime.json";
    double seconds = 60.0;
    args.value("--module", &modulePath);
    args.value("--json", &jsonPath);
    args.number("--seconds", &seconds);
    std::string error;
    if (!args.finish(&error) || !(seconds > 0.0))
        return fail(error.empty() ? "--seconds must be positive" : error), 2;

    // A copy of the module in a content root of its own, where the stress sample is.
    const fs::path root = fs::temp_directory_path() / ("trommik2-rtbench-" + std::to_string(getpid()));
    std::error_code ec;
    fs::create_directories(root, ec);
    std::string state;
    fs::copy_file(modulePath, root / "Trommik2.syn", fs::copy_options::overwrite_existing, ec);
    if (ec || !StressExport::write(root.string(), &state))
        return fail("cannot prepare the stress setup in " + root.string());
    ModuleLoader module;
    if (!module.load((root / "Trommik2.syn").string(), &error))
        return fail(error);
    HostInstance instance(module.entry(), kRate, 120.0f);
    if (!instance.open() || !instance.loadStateText(state))
        return fail("the module did not take the stress setup");
    instance.render(nullptr, kBuffer, 0);
    instance.call(8);

    JackServer server(root.string(), kRate, kBuffer, static_cast<int>(seconds) + 120);
    if (!server.ready())
        return fail("jackd did not start");
    setenv("JACK_DEFAULT_SERVER", server.name().c_str(), 1);
    AudioEngine::Settings settings;
    settings.maxFrames = kBuffer;
    settings.play = true;
    AudioEngine engine(instance, settings, nullptr, nullptr);
    AudioOutput audio;
    AudioSettings wanted;
    wanted.driver = "jack";
    if (!audio.open(wanted, renderAudio, &engine, &error) || !audio.start(&error))
        return fail(error);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    audio.stop();

    const LoadMeter& load = engine.load();
    const double period = 1.0e6 * audio.bufferFrames() / audio.rate();
    const double worstWall = static_cast<double>(load.longest()) / 1000.0;
    CallbackTimes machine;
    MachineNoise::measure(seconds, callbackTimes.averageMicroseconds(), period, &machine);
    std::printf("realtime: stress setup, %u frames at %u Hz (%.0f us per buffer), %.0f s, %lld callbacks, %lld xruns "
                "(goal: the worst callback under 30 %% of the period)\n",
                audio.bufferFrames(), audio.rate(), period, seconds, static_cast<long long>(load.callbacks()),
                static_cast<long long>(engine.xruns()));
    std::FILE* json = std::fopen(jsonPath.c_str(), "w");
    if (json)
        std::fprintf(json, "{\"case\": \"stress\", \"bufferFrames\": %u, \"sampleRate\": %u, \"seconds\": %.1f, ",
                     audio.bufferFrames(), audio.rate(), seconds);
    report(callbackTimes, "callback", "callback", period, json);
    report(machine, "fixed workload", "fixedWorkload", period, json);
    std::printf("  callback wall time: worst %.0f us = %.1f %%; average load %.1f %%\n", worstWall,
                100.0 * worstWall / period, 100.0 * load.average());
    if (json) {
        std::fprintf(json, "\"worstCallbackWallUs\": %.1f, \"averageLoad\": %.4f, \"xruns\": %lld}\n", worstWall,
                     load.average(), static_cast<long long>(engine.xruns()));
        std::fclose(json);
    }
    fs::remove_all(root, ec);
    return 0;
}
