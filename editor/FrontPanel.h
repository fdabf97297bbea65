#pragma once

#include <array>

namespace trommik2 {

class ControlListener;
class FrameKnob;
class FrameStripDisplay;
class LevelMeter;
class ListProvider;
class MomentaryButton;
class MultiSwitch;
class PanelView;
class PreviewButton;
class SkinBitmapSet;
class SkinSlider;
class TextLabel;
class TextMenu;
class ToggleSwitch;
class TrackNameField;

// The six controls of a track's row, left to right behind the row number.
struct TrackRow {
    ToggleSwitch* mute = nullptr;
    ToggleSwitch* solo = nullptr;
    MomentaryButton* previous = nullptr;
    MomentaryButton* next = nullptr;
    TrackNameField* name = nullptr;
    TextMenu* menu = nullptr;
};

// The editor's controls that show the drum machine's state: the transport,
// the pickers, bars and steps, the track rows, meters and status line of the
// upper panel, and the sample, synthesis and effect controls of the lower one.
// Building adds every control (with its tag, rectangle and picture) to its
// panel, which owns it; the pointers stay valid while the panels live.
// User-interface thread.
class FrontPanel {
  public:
    static constexpr int kTracks = 16;

    FrontPanel(PanelView& upper, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
               ListProvider* lists);

    FrameStripDisplay* play = nullptr;
    TextMenu* setupMenu = nullptr;
    TextMenu* kitMenu = nullptr;
    TextMenu* patternMenu = nullptr;
    FrameKnob* master = nullptr;
    std::array<LevelMeter*, 2> meters{};
    // Bars 1..4, then "all".
    std::array<MomentaryButton*, 5> barButtons{};
    std::array<FrameStripDisplay*, 4> lamps{};
    std::array<FrameStripDisplay*, 4> markers{};
    MultiSwitch* steps = nullptr;
    MultiSwitch* bars = nullptr;
    SkinSlider* shuffle = nullptr;
    ToggleSwitch* copy = nullptr;
    ToggleSwitch* follow = nullptr;
    std::array<TrackRow, kTracks> rows{};
    PreviewButton* preview = nullptr;
    SkinSlider* mix = nullptr;
    TextMenu* sampleMenu = nullptr;
    TextMenu* synthesisMenu = nullptr;
    TextMenu* effectMenu = nullptr;
    ToggleSwitch* effect = nullptr;
    TextLabel* status = nullptr;

  private:
    void addTransport(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener, ListProvider* lists);
    void addPickers(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener, ListProvider* lists);
    void addBars(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener);
    void addRows(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener, ListProvider* lists);
    void addLower(PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener, ListProvider* lists);
};

} // namespace trommik2
