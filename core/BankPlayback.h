#pragma once

#include "sequencer/PlaybackTarget.h"

namespace trommik2 {

class InstrumentBank;

// Pattern playback's view of the instruments: mute and solo decide which
// tracks play, hits start the voices, automation writes parameter base values.
// Audio thread, under the process lock.
class BankPlayback : public PlaybackTarget {
  public:
    explicit BankPlayback(InstrumentBank& bank) : bank_(bank) {}

    bool isPlaying(int track) const override;
    void trigger(int track, float velocity) override;
    void applyAutomation(int track, int parameter, float value) override;

  private:
    InstrumentBank& bank_;
};

} // namespace trommik2
