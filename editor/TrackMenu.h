#pragma once

#include "core/ListProvider.h"

namespace trommik2 {

class DrumMachine;
class EditorFrame;
struct ViewRect;

// The context menu of a track's name field: copying and pasting the
// instrument (with or without the track's steps and automation), the empty
// and the default instrument, and resetting the track's automation.
// User-interface thread.
class TrackMenu {
  public:
    enum Command : int32_t {
        kCopyInstrument = 1,
        kPasteInstrument,
        kCopyWithTrackData,
        kPasteWithTrackData,
        kEmptyInstrument,
        kDefaultInstrument,
        kResetAutomation,
    };

    // The entries for a track: pastes are disabled while their clipboard is
    // empty, the reset while the track has no automation.
    static Menu entries(const DrumMachine& machine, int track);
    // Shows the menu of a track at its name field and answers the chosen command, 0 for none.
    static int32_t choose(EditorFrame& frame, const DrumMachine& machine, int track, const ViewRect& field);
    // Carries out a command on a track; false for an unknown command or a paste without a copy.
    static bool run(DrumMachine& machine, int track, int32_t command);
    // Every automation point of the track goes, each lane's scale is 1 and its spread 0.
    static void resetAutomation(DrumMachine& machine, int track);
};

} // namespace trommik2
