#pragma once

#include <memory>
#include <string>

#include "AudioEngine.h"
#include "AudioOutput.h"
#include "MidiEvent.h"
#include "MidiInput.h"
#include "Recorder.h"
#include "SessionStore.h"
#include "SpscQueue.h"
#include "StandaloneEditor.h"
#include "StandaloneOptions.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"

// One run of the standalone instrument: loads the module, opens an instance with
// the last session (or the setup asked for), plays it through the sound system
// with MIDI in until asked to quit, and keeps the session. User-interface thread.
class StandaloneApp {
  public:
    explicit StandaloneApp(const StandaloneOptions& options);
    ~StandaloneApp();

    // The exit status: 0, or 1 after a failure it has reported.
    int run();

  private:
    bool openInstance();
    bool loadState();
    bool openAudio();
    bool openMidi();
    bool startRecorder();
    bool play();
    void openEditor();
    // The editor's idle with the strip's state, and what the user asked of the strip.
    bool editorIdle();
    void saveSession(int* status);
    int finish(int status);
    bool fail(const std::string& message);
    // The module asks its host to play or stop (its PLAY and STOP buttons).
    static void moduleRequest(int32_t code, void* user);
    static void renderAudio(float* interleaved, int frames, bool xrun, void* user);

    StandaloneOptions options_;
    ModuleLoader module_;
    SessionStore session_;
    std::unique_ptr<HostInstance> instance_;
    // Closed before the instance goes.
    std::unique_ptr<StandaloneEditor> editor_;
    int64_t notesShown_ = 0;
    SpscQueue<MidiEvent> midiQueue_{1024};
    std::unique_ptr<MidiInput> midi_;
    std::unique_ptr<Recorder> recorder_;
    std::unique_ptr<AudioEngine> engine_;
    // Declared last: closed first, so no callback outlives what it uses.
    AudioOutput audio_;
};
