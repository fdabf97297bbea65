#pragma once

#include <string>
#include <vector>

#include "platform/x11/InputEvents.h"

namespace trommik2 {

class SkinControl;

// What the frame asks of the editor that owns it. User-interface thread.
class FrameHost {
  public:
    virtual ~FrameHost() = default;
    // Run on every pass of a mouse-tracking loop, after the window took in its input.
    virtual void idlePump() = 0;
    virtual void focusChanged(bool gained) = 0;
    // True when the editor used the key; else it goes to the view under the mouse.
    virtual bool keyDown(const X11KeyEvent& key) = 0;
    // Files dragged from another program: over a control (null: over none, or
    // the drag left), or dropped on it.
    virtual void filesDragged(SkinControl*, const std::vector<std::string>& /*paths*/, bool /*dropped*/) {}
};

} // namespace trommik2
