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
    bool render(float* interleaved, int32_t frames, int32_t position);
    HostContext& context() { return context_; }

    // Transport messages the module sent through the host callback.
    int32_t playRequests() const { return playRequests_; }

  private:
    static int32_t hostCallback(int32_t code, HostCallbackRecord* record);

    ZelkoraSynthesizerFunction entry_;
    HostContext context_{};
    bool open_ = false;
    int32_t playRequests_ = 0;
};
