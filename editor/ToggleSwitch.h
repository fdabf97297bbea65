#pragma once

#include "SkinControl.h"

namespace trommik2 {

// An on/off switch (two pictures): each left click flips the value between
// minimum and maximum. In drag mode the listener then hears every mouse
// position while the button is held, and once more at release.
// User-interface thread.
class ToggleSwitch : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void setDragMode(bool on) { dragMode_ = on; }
    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    bool dragMode_ = false;
};

} // namespace trommik2
