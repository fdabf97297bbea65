#pragma once

#include <cstdint>
#include <string>

#include "AudioEffect.h"

typedef struct _cairo cairo_t;

namespace trommik2 {

// The effect base extended by the three operations the host binding calls
// besides the effect's own: thumbnail, state save and state load. On its own
// it is a bare instrument that renders silence and keeps no state.
class SynthPlugin : public AudioEffect {
  public:
    explicit SynthPlugin(HostCallbackFunction hostCallback);

    // User-interface thread. Paints the pattern into the rectangle; returns 0.
    virtual int32_t drawThumbnail(cairo_t* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                                  int32_t start, int32_t end, float tempo);
    // User-interface thread. Appends the state text to stream; true on success.
    virtual bool saveState(std::string& stream);
    // User-interface thread. Applies a zero-terminated state text; true when accepted.
    virtual bool loadState(const char* text);
};

} // namespace trommik2
