// The automation lane and its controls in the offscreen rig.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cmath>

#include "MachineRig.h"
#include "editor/AutomationView.h"
#include "editor/SkinSlider.h"
#include "editor/StepGrid.h"

namespace trommik2 {
namespace {

// The lane in the frame: 640 x 57 from (241, 489).
constexpr int kLeft = 241, kBottom = 545, kHeight = 56;
const ViewPoint kParameterSwitch{194, 488 + 48}, kVelocitySwitch{75, 488 + 48}, kReset{42, 488 + 18};

class AutomationViewTest : public ::testing::Test {
  protected:
    AutomationViewTest() {
        EXPECT_TRUE(editor.open(0));
        press(XK_1, '1');
    }

    AutomationView& lane() { return *editor.lanes()->lane; }
    TrackPattern& track() { return rig.machine.sequencer().track(editor.selectedTrack()); }
    void press(unsigned long keysym, uint32_t character = 0) { editor.frame()->keyDown({keysym, character, 0}); }
    // A point of the lane: the middle of a column, at a share of the lane's height.
    ViewPoint at(int column, double share) {
        const int w = lane().geometry().cellWidth(640);
        return {kLeft + column * w + w / 2, kBottom - static_cast<int>(std::lround(share * kHeight))};
    }
    void drag(std::vector<ViewPoint> points, int buttons = kMouseLeft) {
        std::vector<ScriptedWindow::Step> steps;
        for (ViewPoint p : points)
            steps.push_back({{p, buttons}});
        steps.push_back({{points.back(), 0}});
        editor.window->advance(1000);
        editor.window->script({points.front(), buttons}, steps);
        editor.frame()->mouseDown(points.front(), buttons);
    }
    // The lane edits the automation of the parameter in knob slot 0 of the selected track.
    void automate(int parameter) {
        rig.machine.model().knobSlots().set(editor.selectedTrack(), 0, parameter);
        drag({kParameterSwitch});
        ASSERT_EQ(lane().parameter(), parameter);
    }

    MachineRig<OffscreenEditor> rig{"trommik2-automation-view"};
    OffscreenEditor& editor = *rig.editor;
};

TEST_F(AutomationViewTest, ParameterModeShowsEverySlotWhateverTheGridShows) {
    press(XK_KP_Subtract); // 8 steps per bar
    EXPECT_EQ(lane().geometry().columns(), 8);
    automate(FilterFreq);
    EXPECT_EQ(lane().geometry().columns(), 32);
    EXPECT_EQ(editor.lanes()->grid->geometry().columns(), 8);
    drag({kVelocitySwitch});
    EXPECT_FALSE(lane().parameterMode());
    EXPECT_EQ(lane().geometry().columns(), 8) << "leaving restores the grid's";
}

TEST_F(AutomationViewTest, AFastDragLeavesNoGapBetweenItsPositions) {
    automate(FilterFreq);
    // From the bottom of the first column to the top of the last in one move.
    drag({at(0, 0.0), at(31, 1.0)});
    float previous = track().automationValue(FilterFreq, 0);
    EXPECT_EQ(previous, 0.0f);
    EXPECT_FALSE(track().automationMask(FilterFreq).test(0)) << "a value of 0 is no point";
    for (int slot = 1; slot < 32; ++slot) {
        const float value = track().automationValue(FilterFreq, slot);
        EXPECT_GT(value, previous) << "slot " << slot;
        EXPECT_TRUE(track().automationMask(FilterFreq).test(slot)) << "slot " << slot;
        previous = value;
    }
    EXPECT_EQ(previous, 18000.0f);
    // Velocity mode, over the grid's 16 columns: every column's first slot.
    drag({kVelocitySwitch});
    drag({at(15, 1.0), at(0, 0.5)});
    for (int column = 0; column < 16; ++column)
        EXPECT_GE(track().velocity(2 * column), 63) << "column " << column;
}

TEST_F(AutomationViewTest, DiscreteParametersSnapToTheirValues) {
    struct Case {
        int parameter;
        double share;
        float expected;
    };
    // FilterType: 0..3 in 4 values; OutLevelDB: -48..24 dB in 73; FXActive: on or off.
    const Case cases[] = {{FilterType, 0.40, 1.0f},   {FilterType, 0.55, 2.0f}, {FilterType, 0.9, 3.0f},
                          {OutLevelDB, 0.51, -11.0f}, {FXActive, 0.7, 1.0f},    {FXActive, 0.3, 0.0f}};
    for (const Case& c : cases) {
        automate(c.parameter);
        drag({at(4, c.share)});
        EXPECT_EQ(track().automationValue(c.parameter, 4), c.expected) << c.parameter << " at " << c.share;
    }
}

TEST_F(AutomationViewTest, AnEffectSwitchedOnByDrawingIsPreparedBeforeItPlays) {
    automate(FXActive);
    const EffectsModule& effects = rig.machine.bank().voice(editor.selectedTrack()).effects();
    EXPECT_FALSE(effects.reach().canBeActive);
    drag({at(4, 0.9)});
    EXPECT_TRUE(effects.reach().canBeActive);
}

TEST_F(AutomationViewTest, ControlAdjustsInDiscreteStepsAndTheRightButtonDrawsTheDefault) {
    track().setStep(6, 100);
    // Velocity mode: 2.5 pixels per velocity.
    drag({at(3, 0.1), {at(3, 0.1).x, at(3, 0.1).y - 10}}, kMouseLeft | kModControl);
    EXPECT_EQ(track().velocity(6), 104);
    drag({at(5, 0.1), at(7, 0.1)}, kMouseRight);
    EXPECT_EQ(track().velocity(10), 127);
    EXPECT_EQ(track().velocity(12), 127);
    automate(OutPan);
    drag({at(2, 0.9), at(3, 0.9)}, kMouseRight);
    EXPECT_EQ(track().automationValue(OutPan, 2), 0.0f) << "the default of the pan";
    EXPECT_EQ(lane().status(), "[1:1:4]  Pan: 0%");
    drag({kVelocitySwitch});
    drag({at(5, 0.5)});
    EXPECT_EQ(lane().status(), "[1:2:3]  Velocity:  64");
}

TEST_F(AutomationViewTest, SelectionEndsScaleOrTiltTheSelectedValues) {
    for (int slot = 0; slot < 16; slot += 2)
        track().setStep(slot, 100);
    drag({at(0, 0.5), at(7, 0.5)}, kMouseLeft | kModShift);
    ASSERT_EQ(lane().selectionFirst(), 0);
    ASSERT_EQ(lane().selectionLast(), 15);
    struct Case {
        int dx, dy;
        const char* status;
        int first, last;
    };
    const Case cases[] = {
        {0, -30, "Scale: 130%", 127, 127},    // clamped to the range
        {0, 50, "Scale: 50%", 50, 50},        //
        {20, 1, "Scale: 100% (20)", 80, 117}, // tilted: slot 0 of 0..15 by 0.8, slot 14 by 1.173
        {0, 200, "Scale: 0%", 1, 1},          // hits stay hits
    };
    const ViewPoint handle{kLeft + 8 * 40 - 5, at(7, 0.5).y}; // in the right end of the selection
    for (const Case& c : cases) {
        drag({handle, {handle.x + c.dx / 2, handle.y + c.dy / 2}, {handle.x + c.dx, handle.y + c.dy}});
        EXPECT_EQ(editor.lanes()->lane->status(), c.status);
        EXPECT_EQ(track().velocity(0), c.first) << c.status;
        EXPECT_EQ(track().velocity(14), c.last) << c.status;
        for (int slot = 0; slot < 16; slot += 2)
            track().setStep(slot, 100);
        lane().redrawAll();
    }
}

TEST_F(AutomationViewTest, LaneControlsStoreRandomAmountsScaleAndReset) {
    SkinSlider& random = *editor.lanes()->random;
    random.changeValue(0.25f);
    EXPECT_EQ(track().velocityRandom(), 0.25f);
    track().setStep(3, 40);
    drag({kReset});
    EXPECT_EQ(track().velocity(3), 127) << "a velocity reset makes every hit full";
    automate(FilterFreq);
    random.changeValue(0.5f);
    editor.lanes()->scale->changeValue(0.5f);
    EXPECT_EQ(track().automationRandom(FilterFreq), 0.5f);
    EXPECT_EQ(track().automationScale(FilterFreq), 0.5f);
    EXPECT_EQ(track().velocityRandom(), 0.25f);
    track().setAutomationPoint(FilterFreq, 7, 3000.0f);
    drag({kReset});
    EXPECT_FALSE(track().hasAutomation(FilterFreq));
}

} // namespace
} // namespace trommik2
