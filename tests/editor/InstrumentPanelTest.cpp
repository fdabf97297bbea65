// The instrument panel, its track menu and the module schematics in the offscreen rig.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "EditorPanelTest.h"
#include "ToolkitRig.h"
#include "editor/AutomationView.h"
#include "editor/FrameKnob.h"
#include "editor/PreviewButton.h"
#include "editor/TextLabel.h"
#include "editor/TextMenu.h"
#include "editor/ToggleSwitch.h"
#include "editor/TrackMenu.h"
#include "editor/TrackNameField.h"
#include "editor/ValueIndicator.h"
#include "params/ParameterTable.h"
#include "resources/SchematicLayout.h"

namespace trommik2 {
namespace {

class InstrumentPanelTest : public EditorPanelTest {
  protected:
    const KnobSlot& slot(int k) { return editor.instrument()->slot(k); }
    ViewPoint knobCentre(int k) {
        const ViewRect& r = slot(k).knob->rect();
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void doubleClick(ViewPoint at) {
        click(at);
        click(at);
    }
    // A right press on a track's name field, the menu driven by keys.
    void trackMenu(int track, std::vector<unsigned long> keys) {
        editor.window->menuKeys.assign(keys.begin(), keys.end());
        editor.window->script({rowPoint(150, track), kMouseRight}, {{{rowPoint(150, track), 0}}});
        editor.frame()->mouseDown(rowPoint(150, track), kMouseRight);
    }
    const Menu& lastMenu() { return editor.window->menus.back().entries; }
};

TEST_F(InstrumentPanelTest, KnobsTakeDefaultsAndStepsFromTheParameterTable) {
    // Track 0's slots: noise levels 1 and 2, filter frequency and drive, decay, volume.
    struct Case {
        int slot, parameter;
        float defaultPosition, step; // one wheel step down from the default
    };
    const Case cases[] = {
        {1, GenNoiseLevel2, 1.0f, 0.01f},         // 101 positions
        {2, FilterFreq, 0.8176f, 0.01f},          // continuous, bent towards the low end
        {3, FilterDriveDB, 0.375f, 1.0f / 48.0f}, // 49 positions
        {4, EnvDecay, 0.3271f, 0.01f},            // continuous
        {5, OutLevelDB, 0.5f, 1.0f / 72.0f},      // -48..+24 dB, 0 dB in the middle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(editor.instrument()->parameterOf(c.slot), c.parameter);
        EXPECT_NEAR(slot(c.slot).knob->defaultValue(), c.defaultPosition, 1e-3f);
        editor.window->advance(1000);
        doubleClick(knobCentre(c.slot));
        EXPECT_NEAR(slot(c.slot).knob->value(), c.defaultPosition, 1e-3f);
        editor.frame()->wheel(knobCentre(c.slot), -1.0f, 0);
        EXPECT_NEAR(slot(c.slot).knob->value(), c.defaultPosition - c.step, 1e-4f);
        EXPECT_FLOAT_EQ(rig.machine.getParameter(c.parameter), slot(c.slot).knob->value());
        EXPECT_EQ(slot(c.slot).value->text(), rig.display(c.parameter));
    }
}

TEST_F(InstrumentPanelTest, KnobsShowingTheSameParameterFollowEachOther) {
    rig.machine.command(kControlFirstKnobSlot + 4, 1, "", 1, FilterFreq);
    EXPECT_EQ(slot(4).menu->text(), "Filter Freq");
    editor.frame()->wheel(knobCentre(2), 3.0f, 0);
    EXPECT_FLOAT_EQ(slot(4).knob->value(), slot(2).knob->value());
    EXPECT_EQ(slot(4).value->text(), rig.display(FilterFreq));
    EXPECT_EQ(slot(2).value->text(), slot(4).value->text());
    EXPECT_NE(slot(3).value->text(), slot(2).value->text());
}

TEST_F(InstrumentPanelTest, IndicatorsShowOnlyAutomatedParametersScaledByTheLane) {
    TrackPattern& track = rig.machine.sequencer().track(0);
    track.setAutomationPoint(FilterFreq, 0, 9000.0f);
    track.setAutomationScale(FilterFreq, 0.5f);
    editor.window->advance(100);
    editor.idle();
    EXPECT_TRUE(slot(2).indicator->visible());
    EXPECT_FLOAT_EQ(slot(2).indicator->value(), 4500.0f);
    EXPECT_FLOAT_EQ(slot(2).indicator->max(), 18000.0f);
    for (int k : {0, 1, 3, 4, 5, 6, 9})
        EXPECT_FALSE(slot(k).indicator->visible()) << k;
}

TEST_F(InstrumentPanelTest, AutomateSwitchesKeepASlotPerTrackLightOnlyItsOwnAndDrawItsLane) {
    click({slot(3).automate->rect().left + 3, slot(3).automate->rect().top + 3});
    EXPECT_EQ(editor.automationSlot(0), 3);
    EXPECT_EQ(editor.automationSlot(1), -1);
    for (int k = 0; k < InstrumentPanel::kSlots; ++k)
        EXPECT_EQ(slot(k).automate->value(), k == 3 ? 1.0f : 0.0f) << k;
    ASSERT_TRUE(editor.lanes()->lane->parameterMode());
    EXPECT_EQ(editor.lanes()->lane->parameter(), rig.machine.model().knobSlots().parameter(0, 3));
    const ViewRect velocity = editor.lanes()->velocityMode->rect();
    click({velocity.left + 3, velocity.top + 3});
    EXPECT_FALSE(editor.lanes()->lane->parameterMode());
    for (int k = 0; k < InstrumentPanel::kSlots; ++k)
        EXPECT_EQ(slot(k).automate->value(), 0.0f) << k;
}

TEST_F(InstrumentPanelTest, EffectSlotsNameTheEffectsParameters) {
    for (int j = 0; j < 4; ++j) {
        char name[DrumMachine::kDisplayLength] = {};
        rig.machine.getParameterName(FXParam1 + j, name);
        EXPECT_EQ(slot(6 + j).name->text(), name);
        EXPECT_EQ(editor.instrument()->parameterOf(6 + j), FXParam1 + j);
    }
    editor.frame()->wheel(knobCentre(7), 2.0f, 0);
    EXPECT_FLOAT_EQ(rig.machine.getParameter(FXParam2), slot(7).knob->value());
    EXPECT_EQ(slot(7).value->text(), rig.display(FXParam2));
}

TEST_F(InstrumentPanelTest, AssignmentMenuShowsTheSchematicAndAssignsTheChosenParameter) {
    // The filter group is marked: Right opens it on "Filter Freq", Down moves to "Filter Reso".
    std::vector<std::pair<int, int>> seen; // picture, outlined parameter while the menu is up
    editor.window->afterMenuKey = [&] {
        seen.emplace_back(editor.schematic()->picture(), editor.schematic()->outlined());
    };
    editor.window->menuKeys = {0, XK_Right, XK_Down, XK_Return};
    click({slot(2).menu->rect().left + 5, slot(2).menu->rect().top + 5});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], std::make_pair(63, int(FilterFreq)));
    EXPECT_EQ(seen[2], std::make_pair(63, int(FilterQ)));
    EXPECT_FALSE(editor.schematic()->shown());
    EXPECT_EQ(editor.instrument()->parameterOf(2), FilterQ);
    editor.frame()->wheel(knobCentre(2), 1.0f, 0);
    EXPECT_FLOAT_EQ(rig.machine.getParameter(FilterQ), slot(2).knob->value());
}

TEST_F(InstrumentPanelTest, StatusLineShowsTheKnobsLongName) {
    editor.window->script({knobCentre(2), 0}, {});
    editor.window->advance(100);
    editor.idle();
    EXPECT_EQ(editor.statusText(), "Filter corner frequency");
}

TEST_F(InstrumentPanelTest, TrackMenuEnablesPastesAfterACopyAndCopiesTrackTwoToTrackFive) {
    auto disabled = [this] {
        std::vector<bool> flags;
        for (const MenuEntry& e : lastMenu())
            flags.push_back(e.disabled);
        return flags;
    };
    trackMenu(2, {});
    // copy, paste, -, copy + data, paste + data, -, empty, default, -, reset
    EXPECT_EQ(disabled(), (std::vector<bool>{0, 1, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(editor.selectedTrack(), 2);

    TrackPattern& two = rig.machine.sequencer().track(2);
    two.setStep(3, 100);
    two.setAutomationPoint(FilterQ, 5, 0.7f);
    rig.machine.bank().setValue(2, OutPan, 0.8f);
    trackMenu(2, {XK_Down, XK_Down, XK_Return}); // copy instrument + track data
    EXPECT_EQ(disabled(), (std::vector<bool>{0, 1, 0, 0, 1, 0, 0, 0, 0, 0})) << "reset: the track automates";
    trackMenu(5, {XK_Down, XK_Down, XK_Down, XK_Down, XK_Return}); // paste instrument + track data
    EXPECT_EQ(disabled(), (std::vector<bool>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
    const TrackPattern& five = rig.machine.sequencer().track(5);
    EXPECT_EQ(five.velocity(3), 100);
    EXPECT_FLOAT_EQ(five.automationValue(FilterQ, 5), 0.7f);
    EXPECT_FLOAT_EQ(rig.machine.bank().value(5, OutPan), 0.8f);

    TrackMenu::run(rig.machine, 5, TrackMenu::kResetAutomation);
    EXPECT_FALSE(five.hasAnyAutomation());
    EXPECT_EQ(five.velocity(3), 100) << "the steps stay";
}

TEST(PreviewButton, HigherClicksPreviewLouder) {
    ToolkitRig rig;
    rig.add(std::make_unique<PreviewButton>(ViewRect{29, 98, 56, 126}, &rig, 40, nullptr));
    struct Case {
        int y;
        float low, high;
    };
    const Case cases[] = {{98, 1.0f, 1.0f}, {103, 0.75f, 1.0f}, {125, 0.0f, 0.05f}};
    for (const Case& c : cases) {
        rig.values.clear();
        rig.click({40, c.y});
        ASSERT_EQ(rig.values.size(), 2u) << c.y;
        EXPECT_GE(rig.values[0], c.low) << c.y;
        EXPECT_LE(rig.values[0], c.high) << c.y;
        EXPECT_EQ(rig.values[1], 0.0f) << "released";
    }
}

} // namespace
} // namespace trommik2

namespace trommik2 {
namespace {

TEST(SchematicLayout, EveryMenuParameterHasOneControlInsideItsGroupsPicture) {
    const ParameterTable table;
    for (int group : {0, 1, 2, 4, 5, 6, 7, 8})
        for (int parameter : table.groupMembers(group)) {
            const auto control = findSchematicControl(schematicOfGroup(group), parameter);
            ASSERT_TRUE(control) << table.key(parameter);
            EXPECT_TRUE(control->left >= 0 && control->right <= 640 && control->top >= 0 && control->bottom <= 320 &&
                        control->left < control->right && control->top < control->bottom)
                << table.key(parameter);
            for (const SchematicControl& other : kSchematicControls) {
                if (other.picture == control->picture && other.parameter != parameter) {
                    EXPECT_FALSE(other.left < control->right && control->left < other.right &&
                                 other.top < control->bottom && control->top < other.bottom)
                        << table.key(parameter) << " overlaps " << table.key(other.parameter);
                }
            }
        }
}

} // namespace
} // namespace trommik2
