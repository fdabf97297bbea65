#pragma once

#include <string>
#include <vector>

#include "ViewGeometry.h"

namespace trommik2 {

class SkinControl;

// What a control tells its owner. User-interface thread.
class ControlListener {
  public:
    virtual ~ControlListener() = default;
    virtual void valueChanged(SkinControl* control) = 0;
    // Files dragged over or dropped on a control (paths, point in the editor).
    virtual void dragMovedOverControl(SkinControl*, const std::vector<std::string>&, ViewPoint) {}
    virtual void droppedOnControl(SkinControl*, const std::vector<std::string>&, ViewPoint) {}
    // A drag from a control in drag mode: every position while the button is
    // held, then once more with released set.
    virtual void controlDragged(SkinControl*, ViewPoint, bool /*released*/) {}
};

} // namespace trommik2
