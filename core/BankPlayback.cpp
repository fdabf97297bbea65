#include "BankPlayback.h"

#include "engine/InstrumentBank.h"

namespace trommik2 {

bool BankPlayback::isPlaying(int track) const {
    const InstrumentBank::Track& t = bank_.track(track);
    return !t.muted || t.soloed;
}

void BankPlayback::trigger(int track, float velocity) {
    InstrumentBank::Track& t = bank_.track(track);
    t.voice->trigger(velocity);
    t.triggered = true;
}

void BankPlayback::applyAutomation(int track, int parameter, float value) {
    if (parameter != GenNullDummy)
        bank_.setValue(track, parameter, value);
}

} // namespace trommik2
