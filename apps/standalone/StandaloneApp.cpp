#include "StandaloneApp.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include <content/ContentFolders.h>

#include "QuitSignal.h"
#include "apps/common/DocumentLocator.h"
#include "apps/common/TextFile.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kAutosaveInterval = std::chrono::seconds(30);
// Also the editor's idle period: well within the 40 ms the idle contract asks for.
constexpr auto kPollInterval = std::chrono::milliseconds(20);
// How much longer than --quit-after the wall clock may run before a stalled
// stream counts as a failure.
constexpr double kStallSeconds = 10.0;

} // namespace

StandaloneApp::StandaloneApp(const StandaloneOptions& options)
    : options_(options), session_(SessionStore::defaultPath()) {}

StandaloneApp::~StandaloneApp() { audio_.stop(); }

bool StandaloneApp::fail(const std::string& message) {
    std::fprintf(stderr, "trommik2: %s\n", message.c_str());
    return false;
}

int StandaloneApp::run() {
    if (!openInstance() || !loadState() || !openAudio() || !openMidi() || !startRecorder() || !play())
        return 1;
    openEditor();
    QuitSignal::install();
    int status = 0;
    const auto begun = Clock::now();
    auto lastSave = begun;
    const auto quitFrames = static_cast<int64_t>(options_.quitAfter * audio_.rate());
    for (;;) {
        std::this_thread::sleep_for(kPollInterval);
        const auto now = Clock::now();
        std::string problem;
        if (QuitSignal::raised() || (editor_ && !editorIdle())) // closing the editor quits
            break;
        if (options_.quitAfter > 0.0 && engine_->framesPlayed() >= quitFrames)
            break;
        if (!audio_.healthy(&problem) ||
            (options_.quitAfter > 0.0 &&
             now - begun > std::chrono::duration<double>(options_.quitAfter + kStallSeconds))) {
            fail("the sound stopped: " + (problem.empty() ? "the driver delivers no more buffers" : problem));
            status = 1;
            break;
        }
        if (now - lastSave >= kAutosaveInterval) {
            saveSession(&status);
            lastSave = now;
        }
    }
    return finish(status);
}

bool StandaloneApp::openInstance() {
    std::string error;
    if (!module_.load(options_.module.empty() ? ModuleLoader::defaultPath() : options_.module, &error))
        return fail(error);
    instance_ = std::make_unique<HostInstance>(module_.entry(), 44100, static_cast<float>(options_.tempo));
    // The module asks its host to play or stop (its PLAY and STOP buttons).
    instance_->setCallbackHandler(moduleRequest, this);
    return instance_->open() || fail("the module could not open an instance");
}

bool StandaloneApp::loadState() {
    if (options_.setup.empty()) {
        std::string error;
        if (session_.path().empty())
            std::puts("trommik2: neither XDG_DATA_HOME nor HOME is set: the session will not be kept");
        else if (!session_.restore(*instance_, &error) && !error.empty())
            std::fprintf(stderr, "trommik2: %s; starting with the default setup\n", error.c_str());
        return true;
    }
    std::string text;
    if (!TextFile::read(DocumentLocator::find(options_.setup, kContentSetups, module_.path()), &text))
        return fail("cannot read the setup " + options_.setup + " (neither a file nor a name in the setup folder)");
    return instance_->loadStateText(text) || fail("the module rejected the setup in " + options_.setup);
}

bool StandaloneApp::openAudio() {
    std::string error;
    if (!audio_.open(options_.audio, renderAudio, this, &error))
        return fail(error);
    HostContext& context = instance_->context();
    context.sampleRate = audio_.rate();
    // A render call without a buffer sizes the module's buffers for the largest
    // block, so that the audio thread never makes it allocate.
    instance_->render(nullptr, static_cast<int32_t>(audio_.bufferFrames()), 0);
    instance_->call(8);
    return true;
}

bool StandaloneApp::openMidi() {
    midi_ = std::make_unique<MidiInput>(midiQueue_);
    std::string error;
    if (midi_->open(options_.midiIn, options_.midiClock, &error))
        return true;
    midi_.reset();
    if (!options_.midiIn.empty())
        return fail(error);
    std::printf("trommik2: no MIDI input (%s)\n", error.c_str());
    return true;
}

bool StandaloneApp::startRecorder() {
    if (options_.record.empty())
        return true;
    recorder_ = std::make_unique<Recorder>(options_.record, static_cast<int>(audio_.rate()));
    std::string error;
    return recorder_->start(&error) || fail(error);
}

bool StandaloneApp::play() {
    AudioEngine::Settings settings;
    settings.sampleRate = static_cast<int>(audio_.rate());
    settings.maxFrames = static_cast<int>(audio_.bufferFrames());
    settings.tempo = static_cast<float>(options_.tempo);
    settings.play = options_.play;
    settings.midiChannel = options_.midiChannel;
    settings.midiClock = options_.midiClock;
    engine_ = std::make_unique<AudioEngine>(*instance_, settings, midi_ ? &midiQueue_ : nullptr, recorder_.get());
    std::string error;
    if (!audio_.start(&error))
        return fail("cannot start the sound: " + error);
    std::printf("trommik2: %s, %u Hz, %u frames per buffer; MIDI: %s; Ctrl+C quits\n", audio_.description().c_str(),
                audio_.rate(), audio_.bufferFrames(), midi_ ? midi_->description().c_str() : "none");
    std::fflush(stdout);
    return true;
}

void StandaloneApp::saveSession(int* status) {
    std::string error;
    if (!session_.path().empty() && !session_.save(*instance_, &error)) {
        fail("the session was not saved: " + error);
        *status = 1;
    }
}

int StandaloneApp::finish(int status) {
    editor_.reset();
    audio_.stop();
    std::string error;
    if (recorder_ && !recorder_->finish(&error)) {
        fail("the recording is incomplete: " + error);
        status = 1;
    }
    saveSession(&status);
    const LoadMeter& load = engine_->load();
    std::printf("trommik2: played %.1f s; audio callback load %.1f %% on average, %.1f %% at most (longest %.0f us of "
                "a %.0f us buffer); %lld xruns\n",
                static_cast<double>(engine_->framesPlayed()) / audio_.rate(), 100.0 * load.average(),
                100.0 * load.peak(), static_cast<double>(load.longest()) / 1000.0,
                1.0e6 * audio_.bufferFrames() / audio_.rate(), static_cast<long long>(engine_->xruns()));
    return status;
}

void StandaloneApp::openEditor() {
    if (options_.noEditor)
        return;
    editor_ = std::make_unique<StandaloneEditor>(*instance_);
    std::string why;
    if (!editor_->open(&why)) {
        std::printf("trommik2: %s; running without the editor (as with --no-editor)\n", why.c_str());
        std::fflush(stdout);
        editor_.reset();
    }
}

bool StandaloneApp::editorIdle() {
    TransportRequests& transport = engine_->transport();
    HostStrip::State state;
    state.tempo = transport.tempo();
    state.playing = transport.playing();
    state.device = audio_.description();
    state.rate = audio_.rate();
    state.buffer = audio_.bufferFrames();
    state.load = engine_->load().recent();
    state.xruns = engine_->xruns();
    state.midi = engine_->notesReceived() != notesShown_;
    notesShown_ = engine_->notesReceived();
    HostStrip::Input input;
    if (!editor_->idle(state, &input))
        return false;
    if (input.tempoChange != 0.0f)
        transport.requestTempo(
            std::clamp(state.tempo + input.tempoChange, AudioEngine::kMinTempo, AudioEngine::kMaxTempo));
    if (input.toggle)
        state.playing ? transport.requestStop() : transport.requestPlay();
    return true;
}

void StandaloneApp::moduleRequest(int32_t code, void* user) {
    auto* self = static_cast<StandaloneApp*>(user);
    if (self->engine_ && code == 2)
        self->engine_->transport().requestPlay();
    else if (self->engine_ && code == 3)
        self->engine_->transport().requestStop();
}

void StandaloneApp::renderAudio(float* interleaved, int frames, bool xrun, void* user) {
    static_cast<StandaloneApp*>(user)->engine_->process(interleaved, frames, xrun, AudioEngine::nowNanoseconds());
}
