#include "LanePanel.h"

#include <memory>

#include "AutomationView.h"
#include "ControlTags.h"
#include "MomentaryButton.h"
#include "PanelView.h"
#include "SkinBitmapSet.h"
#include "SkinSlider.h"
#include "StepGrid.h"
#include "ToggleSwitch.h"
#include "core/DrumMachine.h"

namespace trommik2 {
namespace {

template <typename Control, typename... Args>
Control* place(PanelView& panel, Args&&... args) {
    return panel.add(std::make_unique<Control>(std::forward<Args>(args)...));
}

// The values a parameter's automation snaps to. The effect type and switch
// have no step count in the table, yet only whole numbers mean anything there.
int discreteValues(const ParameterDescriptor& d, int parameter) {
    if (d.automationSteps >= 2)
        return d.automationSteps;
    if (parameter == FXType || parameter == FXActive)
        return static_cast<int>(d.automationMaximum - d.automationMinimum) + 1;
    return 0;
}

} // namespace

LanePanel::LanePanel(PanelView& upper, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                     ViewHost& host)
    : host_(host), machine_(host.machine()) {
    grid = place<StepGrid>(upper, ViewRect{241, 164, 881, 484}, host, bitmaps.get(15));
    lane = place<AutomationView>(lower, ViewRect{241, 1, 881, 58}, host, bitmaps.get(16));
    random = place<SkinSlider>(lower, ViewRect{152, 5, 237, 12}, listener, kTagLaneRandom, bitmaps.get(42),
                               SliderStyle::Horizontal);
    scale = place<SkinSlider>(lower, ViewRect{152, 25, 237, 32}, listener, kTagLaneScale, bitmaps.get(42),
                              SliderStyle::Horizontal);
    random->setClickAnywhere(true);
    scale->setClickAnywhere(true);
    scale->setDefaultValue(1.0f);
    reset = place<MomentaryButton>(lower, ViewRect{36, 12, 49, 25}, listener, kTagLaneReset, bitmaps.get(45));
    velocityMode = place<ToggleSwitch>(lower, ViewRect{36, 42, 114, 55}, listener, kTagVelocityMode, bitmaps.get(50));
    parameterModeSwitch =
        place<ToggleSwitch>(lower, ViewRect{150, 42, 238, 55}, listener, kTagParameterMode, bitmaps.get(49));
    modeToggle = place<ToggleSwitch>(lower, ViewRect{121, 42, 143, 55}, listener, kTagLaneModeToggle, bitmaps.get(48));
}

bool LanePanel::parameterMode() const { return lane->parameterMode(); }

void LanePanel::showModeSwitches(bool parameterMode) {
    velocityMode->setValue(parameterMode ? 0.0f : 1.0f);
    parameterModeSwitch->setValue(parameterMode ? 1.0f : 0.0f);
    modeToggle->setValue(parameterMode ? 0.0f : 1.0f);
}

void LanePanel::showVelocity(int track) {
    track_ = track;
    lane->selectTrack(track);
    lane->enterVelocityMode();
    showModeSwitches(false);
    random->setValue(machine_.sequencer().track(track).velocityRandom());
    scale->setValue(1.0f);
}

void LanePanel::showParameter(int track, int slot) {
    track_ = track;
    const int parameter = machine_.model().knobSlots().parameter(track, slot);
    const ParameterDescriptor& d = machine_.model().table().descriptor(parameter);
    lane->selectTrack(track);
    lane->enterParameterMode(parameter, d.automationMinimum, d.automationMaximum, discreteValues(d, parameter),
                             d.defaultValue);
    showModeSwitches(true);
    const TrackPattern& pattern = machine_.sequencer().track(track);
    random->setValue(pattern.automationRandom(parameter));
    scale->setValue(pattern.automationScale(parameter));
}

bool LanePanel::valueChanged(int tag, float value) {
    TrackPattern& pattern = machine_.sequencer().track(track_);
    const int parameter = lane->parameter();
    switch (tag) {
    case kTagLaneRandom:
        if (parameter >= 0)
            pattern.setAutomationRandom(parameter, value);
        else
            pattern.setVelocityRandom(value);
        break;
    case kTagLaneScale:
        if (parameter < 0)
            return true;
        if (value == 0.0f)
            machine_.setParameter(kParamResetModulation, static_cast<float>(parameter));
        pattern.setAutomationScale(parameter, value);
        lane->setLaneScale(value);
        break;
    case kTagLaneReset:
        if (value != 0.0f)
            resetLane();
        return true;
    default: return false;
    }
    if (parameter == FXType || parameter == FXActive)
        machine_.patternChanged();
    return true;
}

void LanePanel::resetLane() {
    TrackPattern& pattern = machine_.sequencer().track(track_);
    const int parameter = lane->parameter();
    if (parameter < 0) {
        for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot)
            if (pattern.velocity(slot) > 0)
                pattern.setStep(slot, 127);
    } else {
        machine_.setParameter(kParamResetModulation, static_cast<float>(parameter));
        for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot)
            pattern.clearAutomationPoint(parameter, slot);
    }
    lane->redrawAll();
    host_.rowChanged(kTagLane, track_);
}

} // namespace trommik2
