#include "BankPlayback.h"

#include "engine/InstrumentBank.h"

namespace trommik2 {

bool BankPlayback::isPlaying(int track) const {
    const InstrumentBank::Track& t = bank_.track(track);
    return !t.muted || t.soloed;
}

void BankPlayback::trigger(int track, float velocity) {
    bank_.voice(track).trigger(velocity);
    tracks_[InstrumentBank::clampTrack(track)].triggered = true;
}

// Automation moves a parameter through its offset, so the instrument's own value
// (what documents, the saved state and a host's getParameter see) stays as the
// user set it, and resetting the modulation (parameter 10080) or loading a
// pattern returns to it. The effect switches still act on their base value.
void BankPlayback::applyAutomation(int track, int parameter, float value) {
    if (parameter == GenNullDummy)
        return;
    if (parameter == FXType || parameter == FXActive) {
        bank_.setValueWhilePlaying(track, parameter, value);
        return;
    }
    InstrumentVoice& voice = bank_.voice(track);
    voice.setModuleValue(parameter, value - voice.moduleValue(parameter, ModuleParameter::kBase),
                         ModuleParameter::kOffset);
}

} // namespace trommik2
