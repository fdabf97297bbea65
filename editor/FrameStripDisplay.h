#pragma once

#include "SkinControl.h"

namespace trommik2 {

// Shows picture value × (n − 1) of its n pictures. When clickable, a left
// click sets the value to 1 and tells the listener (the play button); lamps
// and markers are not clickable. User-interface thread.
class FrameStripDisplay : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void setClickable(bool on) { clickable_ = on; }
    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    bool clickable_ = false;
};

} // namespace trommik2
