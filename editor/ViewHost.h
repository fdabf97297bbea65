#pragma once

namespace trommik2 {

class DrumMachine;

// What the step grid and the automation lane ask of the editor that holds
// them. View tags name the asking view (24 grid, 25 lane). User-interface thread.
class ViewHost {
  public:
    virtual ~ViewHost() = default;
    virtual int selectedTrack() const = 0;
    virtual void selectTrack(int viewTag, int track) = 0;
    // A row of the pattern changed: the other view redraws it.
    virtual void rowChanged(int viewTag, int track) = 0;
    // 0 the arrow, 4000..4004 the editor's cursors.
    virtual void setMouseCursor(int resource) = 0;
    virtual bool hostPlaying() const = 0;
    // Plays the selected instrument, starting the host's transport if it stands.
    virtual void audition() = 0;
    virtual DrumMachine& machine() = 0;
};

} // namespace trommik2
