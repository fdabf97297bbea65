#pragma once

namespace trommik2 {

class AutomationView;
class ControlListener;
class DrumMachine;
class MomentaryButton;
class PanelView;
class SkinBitmapSet;
class SkinSlider;
class StepGrid;
class ToggleSwitch;
class ViewHost;

// The pattern's views and the lane's controls: the step grid over the upper
// panel's track rows, the automation lane of the lower panel with its random
// amount and scale sliders, its reset button and its three mode switches.
// Building adds them to their panels, which own them. User-interface thread.
class LanePanel {
  public:
    LanePanel(PanelView& upper, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
              ViewHost& host);

    // Shows the track's velocities, or its automation of the parameter in the
    // knob slot (0..9), with the switches and sliders that belong to it.
    void showVelocity(int track);
    void showParameter(int track, int slot);
    bool parameterMode() const;
    // Tags 57 (random amount), 58 (reset) and 62 (scale); false for other tags.
    bool valueChanged(int tag, float value);

    StepGrid* grid = nullptr;
    AutomationView* lane = nullptr;
    SkinSlider* random = nullptr;
    SkinSlider* scale = nullptr;
    MomentaryButton* reset = nullptr;
    ToggleSwitch* velocityMode = nullptr;
    ToggleSwitch* parameterModeSwitch = nullptr;
    ToggleSwitch* modeToggle = nullptr;

  private:
    void showModeSwitches(bool parameterMode);
    void resetLane();

    ViewHost& host_;
    DrumMachine& machine_;
    int track_ = 0;
};

} // namespace trommik2
