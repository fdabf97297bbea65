#pragma once

#include "TrackRenderState.h"
#include "sequencer/PlaybackTarget.h"

namespace trommik2 {

class InstrumentBank;

// Pattern playback's view of the instruments: mute and solo decide which
// tracks play, hits start the voices, automation moves parameters.
// Audio thread, under the process lock.
class BankPlayback : public PlaybackTarget {
  public:
    BankPlayback(InstrumentBank& bank, TrackRenderState* tracks) : bank_(bank), tracks_(tracks) {}

    bool isPlaying(int track) const override;
    void trigger(int track, float velocity) override;
    void applyAutomation(int track, int parameter, float value) override;

  private:
    InstrumentBank& bank_;
    TrackRenderState* tracks_;
};

} // namespace trommik2
