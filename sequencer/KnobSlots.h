#pragma once

#include <trommik2/control_ids.h>

namespace trommik2 {

// Which instrument parameter each of the editor's ten knobs shows, per track.
// The editor names the knobs by the identifiers 10002..10011; documents by the
// slot numbers 0..9. User-interface thread.
class KnobSlots {
  public:
    static constexpr int kTrackCount = 16;
    static constexpr int kSlotCount = 10;
    static constexpr int kFirstIdentifier = kControlFirstKnobSlot;
    static_assert(kControlLastKnobSlot - kControlFirstKnobSlot + 1 == kSlotCount);

    KnobSlots() { setDefaults(); }

    // The factory assignment: the same ten parameters everywhere, then the
    // first six slots of tracks 0..4 suited to their factory instruments.
    void setDefaults();

    // Identifiers outside 10002..10011 and tracks outside 0..15 change nothing.
    void assign(int track, int identifier, int parameter) { set(track, identifier - kFirstIdentifier, parameter); }
    // Slot numbers 0..9; others change nothing. The parameter is stored as given.
    void set(int track, int slot, int parameter);
    // The parameter of a slot (0..9), or -1 for a track or slot out of range.
    int parameter(int track, int slot) const;
    int assigned(int track, int identifier) const { return parameter(track, identifier - kFirstIdentifier); }

  private:
    static bool valid(int track, int slot) {
        return track >= 0 && track < kTrackCount && slot >= 0 && slot < kSlotCount;
    }

    int parameters_[kTrackCount][kSlotCount];
};

} // namespace trommik2
