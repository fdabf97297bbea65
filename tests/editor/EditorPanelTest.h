#pragma once

#include <vector>

#include <gtest/gtest.h>

#include "MachineRig.h"
#include "editor/FrameStripDisplay.h"

namespace trommik2 {

// The editor open in the offscreen rig on a real drum machine, with gestures.
inline ViewPoint rowPoint(int x, int track) { return {x, 174 + 20 * track}; }

class EditorPanelTest : public ::testing::Test {
  protected:
    EditorPanelTest() { EXPECT_TRUE(editor.open(0)); }

    FrontPanel& panel() { return *editor.panel(); }
    void press(unsigned long keysym, uint32_t character = 0) { editor.frame()->keyDown({keysym, character, 0}); }
    // A left-button drag through the points; the script's end lets go at the last one.
    void drag(std::vector<ViewPoint> points) {
        std::vector<ScriptedWindow::Step> steps;
        for (ViewPoint p : points)
            steps.push_back({{p, kMouseLeft}});
        steps.push_back({{points.back(), 0}});
        editor.window->script({points.front(), kMouseLeft}, steps);
        editor.frame()->mouseDown(points.front(), kMouseLeft);
    }
    void click(ViewPoint at) { drag({at}); }
    // A block rendered with the host's position moving: the host plays.
    void renderPlaying() {
        float left[256], right[256];
        float* outputs[] = {left, right};
        for (int block = 0; block < 2; ++block) {
            rig.machine.setParameter(kParamHostPosition, static_cast<float>(block * 256));
            rig.machine.processReplacing(nullptr, outputs, 256);
        }
    }
    int shownDigit(int marker) { return static_cast<int>(panel().markers[marker]->value() * 4.0f + 0.5f); }

    MachineRig<OffscreenEditor> rig{"trommik2-front-panel"};
    OffscreenEditor& editor = *rig.editor;
};

} // namespace trommik2
