#pragma once

#include <memory>
#include <vector>

#include "ScriptedWindow.h"
#include "editor/ControlListener.h"
#include "editor/EditorFrame.h"
#include "editor/SkinControl.h"

namespace trommik2 {

// A frame drawn offscreen with a scripted window, and a listener that records
// what its controls report.
class ToolkitRig : public ControlListener {
  public:
    ToolkitRig() : frame(400, 300, nullptr) {
        auto owned = std::make_unique<ScriptedWindow>();
        window = owned.get();
        frame.setWindow(std::move(owned));
        panel = frame.add(std::make_unique<PanelView>(ViewRect{0, 0, 400, 300}));
    }

    template <typename Control>
    Control* add(std::unique_ptr<Control> control) {
        return panel->add(std::move(control));
    }

    // Presses at the point, then the loop sees the steps; the script's end lets go.
    void drag(ViewPoint from, int buttons, std::vector<ScriptedWindow::Step> steps) {
        window->script({from, buttons}, std::move(steps));
        frame.mouseDown(from, buttons);
    }
    void click(ViewPoint at, int buttons = kMouseLeft) { drag(at, buttons, {}); }
    // A path of points with the same buttons.
    static std::vector<ScriptedWindow::Step> path(std::vector<ViewPoint> points, int buttons) {
        std::vector<ScriptedWindow::Step> steps;
        for (ViewPoint p : points)
            steps.push_back({{p, buttons}});
        return steps;
    }

    void valueChanged(SkinControl* control) override { values.push_back(control->value()); }
    void controlDragged(SkinControl*, ViewPoint where, bool released) override {
        drags.push_back(where);
        releases += released ? 1 : 0;
    }

    EditorFrame frame;
    ScriptedWindow* window;
    PanelView* panel;
    std::vector<float> values;
    std::vector<ViewPoint> drags;
    int releases = 0;
};

} // namespace trommik2
