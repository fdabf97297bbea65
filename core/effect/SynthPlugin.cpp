#include "SynthPlugin.h"

namespace trommik2 {

SynthPlugin::SynthPlugin(HostCallbackFunction hostCallback) : AudioEffect(hostCallback, 1, 1) {}

int32_t SynthPlugin::drawThumbnail(cairo_t*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, float) { return 0; }

bool SynthPlugin::saveState(std::string&) { return true; }

bool SynthPlugin::loadState(const char*) { return true; }

} // namespace trommik2
