#include "EditCommand.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "RealtimePlayer.h"
#include "SetupLoader.h"
#include "apps/common/Arguments.h"
#include "apps/common/HostInstance.h"
#include "apps/common/HostWindow.h"
#include "apps/common/ModuleLoader.h"

namespace {

constexpr int kCodePlay = 2;
constexpr int kCodeStop = 3;
// Well within the 40 ms the idle contract asks for.
constexpr auto kIdlePeriod = std::chrono::milliseconds(15);

volatile std::sig_atomic_t interrupted = 0;

struct EditOptions {
    std::string setup;
    std::string screenshot;
    double quitAfter = 0.0;
    double tempo = 120.0;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "trommik2-host edit: %s (see edit --help)\n", message.c_str());
    return 2;
}

int failure(const std::string& message) {
    std::fprintf(stderr, "trommik2-host edit: %s\n", message.c_str());
    return 1;
}

std::string parse(Arguments& args, EditOptions* o) {
    args.value("--setup", &o->setup);
    args.value("--screenshot", &o->screenshot);
    args.number("--quit-after", &o->quitAfter);
    args.number("--tempo", &o->tempo);
    std::string error;
    if (!args.finish(&error))
        return error;
    if (!(o->quitAfter >= 0.0 && o->quitAfter <= 86400.0))
        return "--quit-after must lie in 0..86400 seconds";
    if (!(o->tempo >= 1.0 && o->tempo <= 999.0))
        return "--tempo must lie in 1..999";
    return "";
}

// The module's transport requests: 'PLAY' starts the player, 'STOP' stops it.
void onHostCode(int32_t code, void* user) {
    auto* player = static_cast<RealtimePlayer*>(user);
    if (code == kCodePlay)
        player->start();
    else if (code == kCodeStop)
        player->stop();
}

// Runs the idle contract until the user closes a window, Ctrl+C, or the time is up.
void pumpEditor(HostInstance& instance, HostWindow& window, const EditOptions& o) {
    const auto begin = std::chrono::steady_clock::now();
    const auto limit = std::chrono::duration<double>(o.quitAfter);
    while (!interrupted && window.pump() && instance.context().editorWindow != 0) {
        instance.editorIdle();
        if (o.quitAfter > 0.0 && std::chrono::steady_clock::now() - begin >= limit)
            break;
        std::this_thread::sleep_for(kIdlePeriod);
    }
}

} // namespace

void printEditHelp() {
    std::puts("usage: trommik2-host edit [options]\n"
              "\n"
              "Opens an instance and its editor in a window of this host, and calls the\n"
              "editor's idle as a host must. The play button (or Space) plays the pattern\n"
              "in real time until stop; the audio is not sent anywhere.\n"
              "\n"
              "  --setup FILE|NAME     load a setup document first (a file, or a name in the\n"
              "                        setup folder beside the module)\n"
              "  --screenshot FILE.png write a picture of the editor's window when quitting\n"
              "  --quit-after SECONDS  quit after that long (default: when a window is closed)\n"
              "  --tempo BPM           the host's tempo (default 120)");
}

int runEdit(Arguments& args, const ModuleLoader& module) {
    EditOptions options;
    std::string problem = parse(args, &options);
    if (!problem.empty())
        return usageError(problem);
    HostWindow window;
    if (!window.open("Trommik2 development host"))
        return failure("no X display (DISPLAY is not set, or the server refuses)");
    HostInstance instance(module.entry(), 44100, static_cast<float>(options.tempo));
    RealtimePlayer player(instance);
    instance.setCallbackHandler(onHostCode, &player);
    instance.context().parentWindow = window.id();
    if (!instance.open())
        return failure("the module could not open an instance");
    problem = SetupLoader::load(instance, options.setup, module.path());
    if (!problem.empty())
        return failure(problem);
    if (instance.call(3) != 1)
        return failure("the module could not open its editor");
    std::signal(SIGINT, [](int) { interrupted = 1; });
    std::signal(SIGTERM, [](int) { interrupted = 1; });
    pumpEditor(instance, window, options);
    bool shot = options.screenshot.empty() || window.screenshot(instance.context().editorWindow, options.screenshot);
    player.stop();
    instance.call(4);
    if (!shot)
        return failure("could not write the screenshot " + options.screenshot);
    if (!options.screenshot.empty())
        std::printf("wrote %s\n", options.screenshot.c_str());
    return 0;
}
