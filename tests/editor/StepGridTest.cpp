// The step grid in the offscreen rig: a real drum machine, a scripted mouse.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "MachineRig.h"
#include "editor/StepGrid.h"

namespace trommik2 {
namespace {

constexpr int kLeft = 241, kTop = 164;

class StepGridTest : public ::testing::Test {
  protected:
    StepGridTest() { EXPECT_TRUE(editor.open(0)); }

    StepGrid& grid() { return *editor.lanes()->grid; }
    int velocity(int track, int step) { return rig.machine.sequencer().track(track).velocity(step); }
    void setVelocity(int track, int step, int v) { rig.machine.sequencer().track(track).setStep(step, v); }
    // The middle of a cell of the grid.
    ViewPoint cell(int column, int track) {
        const int w = grid().geometry().cellWidth(640);
        return {kLeft + column * w + w / 2, kTop + 20 * track + 10};
    }
    void press(unsigned long keysym, uint32_t character = 0) { editor.frame()->keyDown({keysym, character, 0}); }
    // A press with buttons at the first point, held through the others, let go at the last.
    void drag(std::vector<ViewPoint> points, int buttons = kMouseLeft) {
        std::vector<ScriptedWindow::Step> steps;
        for (ViewPoint p : points)
            steps.push_back({{p, buttons}});
        steps.push_back({{points.back(), buttons & ~(kMouseLeft | kMouseRight)}});
        editor.window->advance(1000); // no double click
        editor.window->script({points.front(), buttons}, steps);
        editor.frame()->mouseDown(points.front(), buttons);
    }
    void click(ViewPoint at, int buttons = kMouseLeft) { drag({at}, buttons); }
    void showSteps(int steps) {
        while (editor.visibleSteps() != steps)
            press(editor.visibleSteps() < steps ? XK_KP_Add : XK_KP_Subtract);
    }
    std::vector<int> hitsOf(int track) {
        std::vector<int> steps;
        for (int s = 0; s < 128; ++s)
            if (velocity(track, s) > 0)
                steps.push_back(s);
        return steps;
    }

    MachineRig<OffscreenEditor> rig{"trommik2-step-grid"};
    OffscreenEditor& editor = *rig.editor;
};

TEST_F(StepGridTest, ClicksSetAndClearHitsAndSelectTheTrack) {
    press(XK_1, '1'); // one bar at 16 steps: cells of 40 pixels
    click({kLeft + 40 * 4 + 5, kTop + 20 * 2 + 5});
    EXPECT_EQ(velocity(2, 8), 127);
    EXPECT_EQ(editor.selectedTrack(), 2);
    EXPECT_EQ(grid().status(), "[1:2:1]  Velocity: 127");
    click({kLeft + 40 * 4 + 5, kTop + 20 * 2 + 5});
    EXPECT_EQ(velocity(2, 8), 0);
    EXPECT_EQ(grid().status(), "[1:2:1]");
    click(cell(5, 3), kMouseRight);
    EXPECT_EQ(velocity(3, 10), 0) << "the right button only clears";
}

TEST_F(StepGridTest, CopyModeRepeatsTheFirstBarOnly) {
    showSteps(32);
    press(XK_4, '4'); // the pattern has four bars, bar 4 shown
    press(XK_0, '0');
    press('a', 'a');
    ASSERT_TRUE(grid().copyMode());
    click(cell(5, 6));
    click(cell(40, 6));
    EXPECT_EQ(hitsOf(6), (std::vector<int>{5, 37, 40, 69, 101}));
}

TEST_F(StepGridTest, DragPaintsTheFirstStepOfEachColumnAlongItsDirection) {
    press(XK_1, '1');
    struct Case {
        const char* what;
        std::vector<ViewPoint> path;
        int track;
        std::vector<int> hits;
    };
    // 16 steps per bar: a column is two slots, of which only the first is written.
    const Case cases[] = {
        {"along a row", {cell(0, 4), cell(1, 5), cell(3, 4)}, 4, {0, 2, 4, 6}},
        {"down a column", {cell(2, 7), cell(2, 9), cell(5, 10)}, 10, {4}},
    };
    for (const Case& c : cases) {
        drag(c.path);
        EXPECT_EQ(hitsOf(c.track), c.hits) << c.what;
    }
    EXPECT_EQ(hitsOf(8), (std::vector<int>{4})) << "the column passes track 8";
    EXPECT_TRUE(hitsOf(5).empty()) << "the row stays on its track";
}

TEST_F(StepGridTest, WheelChangesVelocitiesOfHitsWithinOneTo127) {
    press(XK_1, '1');
    struct Case {
        int start;
        float distance;
        int buttons;
        int expected;
    };
    const Case cases[] = {{0, 1, 0, 0},     {1, -1, 0, 1},     {100, 1, 0, 102}, {100, 1, kModShift, 101},
                          {126, 3, 0, 127}, {50, -0.5f, 0, 49}};
    for (const Case& c : cases) {
        setVelocity(9, 6, c.start);
        editor.frame()->wheel(cell(3, 9), c.distance, c.buttons);
        EXPECT_EQ(velocity(9, 6), c.expected) << c.start << " by " << c.distance;
    }
}

TEST_F(StepGridTest, SelectionDraggedCopiesAndStopsAtTheLastTrackAndColumn) {
    press(XK_1, '1');
    setVelocity(13, 0, 100);
    setVelocity(14, 2, 90);
    drag({cell(0, 13), cell(1, 14)}, kMouseLeft | kModShift);
    ASSERT_EQ(grid().selection(), (StepGrid::Selection{0, 13, 3, 14}));
    // Dragged far past the last track and column: stops at track 15, column 15.
    drag({cell(0, 13), cell(30, 30)});
    EXPECT_EQ(velocity(14, 28), 100);
    EXPECT_EQ(velocity(15, 30), 90);
    EXPECT_EQ(velocity(13, 0), 100) << "dragging copies";
    EXPECT_TRUE(grid().selection().empty()) << "without Shift the selection goes";
}

TEST_F(StepGridTest, SelectionCopiesWithControlOnlyHitsAndTheRightButtonClearsIt) {
    press(XK_1, '1');
    setVelocity(0, 0, 100);
    setVelocity(0, 6, 80); // under the copy's empty cell
    drag({cell(0, 0), cell(1, 0)}, kMouseLeft | kModShift);
    drag({cell(0, 0), cell(3, 0)}, kMouseLeft | kModControl | kModShift);
    EXPECT_EQ(hitsOf(0), (std::vector<int>{0, 6})) << "Control writes only the hits: 6 keeps its own";
    EXPECT_EQ(velocity(0, 6), 100);
    EXPECT_EQ(grid().selection(), (StepGrid::Selection{6, 0, 9, 0})) << "Shift moves the selection along";
    click(cell(3, 0), kMouseRight);
    EXPECT_EQ(hitsOf(0), (std::vector<int>{0}));
    EXPECT_TRUE(grid().selection().empty());
}

TEST_F(StepGridTest, DoubleClickSelectsABarOrAllShownBars) {
    press(XK_0, '0'); // both bars of the default pattern, 32 columns
    for (int buttons : {int(kModShift), kModShift | kModControl}) {
        editor.window->advance(1000);
        for (int i = 0; i < 2; ++i) {
            editor.window->script({cell(20, 3), kMouseLeft | buttons}, {});
            editor.frame()->mouseDown(cell(20, 3), kMouseLeft | buttons);
        }
        const StepGrid::Selection expected =
            buttons & kModControl ? StepGrid::Selection{0, 0, 63, 15} : StepGrid::Selection{32, 0, 63, 15};
        EXPECT_EQ(grid().selection(), expected);
        EXPECT_EQ(editor.window->cursor, 4001);
    }
}

TEST_F(StepGridTest, FollowWaitsWhileTheGridDrags) {
    press(XK_1, '1');
    press('f', 'f');
    float left[64], right[64];
    float* outputs[] = {left, right};
    const int inSecondBar = 88200 + 1000;
    for (int block = 0; block < 2; ++block) {
        rig.machine.setParameter(kParamHostPosition, static_cast<float>(inSecondBar + block * 64));
        rig.machine.processReplacing(nullptr, outputs, 64);
    }
    std::vector<ScriptedWindow::Step> steps;
    for (int column = 0; column < 4; ++column)
        steps.push_back({{cell(column, 0), kMouseLeft}, 150}); // the editor idles on the way
    editor.window->script({cell(0, 0), kMouseLeft}, steps);
    editor.frame()->mouseDown(cell(0, 0), kMouseLeft);
    EXPECT_EQ(editor.bars()->first(), 0);
    editor.window->advance(EditorWindow::kIdleInterval);
    editor.idle();
    EXPECT_EQ(editor.bars()->first(), 1) << "the view follows once the drag is over";
}

TEST_F(StepGridTest, PatternDocumentsKeepTheGridsResolution) {
    showSteps(32);
    EXPECT_EQ(rig.machine.model().stepResolution(), 32);
    rig.machine.model().setStepResolution(8); // as a pattern document brings it
    editor.setParameter(kRefreshPattern, 1.0f);
    EXPECT_EQ(editor.visibleSteps(), 8);
    EXPECT_EQ(grid().geometry().visibleSteps, 8);
}

TEST_F(StepGridTest, KeysSetAtThePlayStepAndClearIt) {
    press(XK_1, '1');
    float left[256], right[256];
    float* outputs[] = {left, right};
    // The host plays from the position of slot 9 (rounded down to the column: 8).
    const int position = rig.machine.sequencer().samplesPerStep() * 9;
    for (int block = 0; block < 2; ++block) {
        rig.machine.setParameter(kParamHostPosition, static_cast<float>(position + block * 64));
        rig.machine.processReplacing(nullptr, outputs, 64);
    }
    press(XK_Return);
    EXPECT_EQ(velocity(editor.selectedTrack(), 8), 127);
    press(XK_KP_Decimal);
    EXPECT_EQ(velocity(editor.selectedTrack(), 8), 0);
    EXPECT_TRUE(grid().refreshPlayCursor());
    EXPECT_EQ(grid().playCursor(), rig.machine.sequencer().position() * 640 / 88200) << "one bar of 88200 samples";
    EXPECT_FALSE(grid().refreshPlayCursor()) << "redrawn only when it moves";
}

} // namespace
} // namespace trommik2
