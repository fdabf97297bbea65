#include "DocumentHost.h"

#include <mutex>
#include <utility>

namespace trommik2 {

void DocumentHost::installEffects(int track, const EffectsModule::Reach& reach) {
    EffectsModule& effects = model().bank().voice(track).effects();
    EffectsModule::Effects built = effects.build(reach);
    EffectsModule::Effects replaced; // destroyed after the lock is released
    std::lock_guard<ProcessLock> lock(processLock());
    replaced = effects.install(std::move(built), reach);
}

} // namespace trommik2
