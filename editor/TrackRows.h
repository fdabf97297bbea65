#pragma once

#include "ViewGeometry.h"

namespace trommik2 {

class DrumMachine;
class EditorFrame;
class FrontPanel;
class SkinControl;

// The sixteen track rows: the row shading that marks the selected track, the
// names, mute and solo states, and the drags across rows (painting mute or
// solo over other tracks, dropping a track's name on another's to exchange
// their instruments). User-interface thread.
class TrackRows {
  public:
    TrackRows(FrontPanel& panel, DrumMachine& machine, EditorFrame& frame)
        : panel_(panel), machine_(machine), frame_(frame) {}

    // Shades every row: the selected one highlighted, the others alternating.
    void shade(int selected);
    // Names, mute and solo switches from the machine.
    void refresh();
    // A drag from a mute or solo switch or a name field, at a point of the frame.
    // Returns the track to select after a drop that exchanged instruments, else -1.
    int dragged(SkinControl* source, ViewPoint where, bool released);

  private:
    void paintSwitch(int firstTag, SkinControl* source, ViewPoint where);
    int exchangeDrag(int source, ViewPoint where, bool released);
    // The track whose name field lies under the point, or -1.
    int nameFieldAt(ViewPoint where) const;
    void showNames(int source, int target);

    FrontPanel& panel_;
    DrumMachine& machine_;
    EditorFrame& frame_;
};

} // namespace trommik2
