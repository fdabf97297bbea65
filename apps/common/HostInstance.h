#pragma once

#include <cstdint>
#include <string>

#include <trommik2/host_api.h>

// One instance of the module as a host sees it: its context record and the
// numbered operations, with the state moved through mmio streams.
class HostInstance {
  public:
    HostInstance(ZelkoraSynthesizerFunction entry, uint32_t sampleRate, float tempo);
    ~HostInstance();
    HostInstance(const HostInstance&) = delete;
    HostInstance& operator=(const HostInstance&) = delete;

    bool open();
    int32_t call(int32_t operation) { return entry_(operation, &context_); }
    // Loads a state text through a memory stream.
    bool loadStateText(const std::string& text);
    // Loads the state from an open stream positioned at size bytes of state.
    bool loadStateStream(HMMIO stream, uint32_t size);
    bool saveStateStream(HMMIO stream);
    bool saveStateText(std::string* text);
    // Renders frames into interleaved stereo at the given host position.
    // Audio thread: sets three fields of the context and calls operation 7.
    bool render(float* interleaved, int32_t frames, int32_t position);
    // Audio thread (or before rendering starts): the tempo of the next blocks.
    void setTempo(float bpm) { context_.tempo = bpm; }
    HostContext& context() { return context_; }
    // User-interface thread, at least every 40 ms while the editor is open.
    void editorIdle();

    // Receives the codes the module sends through the host callback (2 play,
    // 3 stop, ...) on the thread that made the module send them. Set it before
    // the instance opens.
    using CallbackHandler = void (*)(int32_t code, void* user);
    void setCallbackHandler(CallbackHandler handler, void* user) {
        handler_ = handler;
        handlerUser_ = user;
    }

  private:
    static int32_t hostCallback(int32_t code, HostCallbackRecord* record);

    ZelkoraSynthesizerFunction entry_;
    HostContext context_{};
    bool open_ = false;
    CallbackHandler handler_ = nullptr;
    void* handlerUser_ = nullptr;
};
