#pragma once

#include "SkinControl.h"

namespace trommik2 {

// The instrument preview: a left click without modifiers reports
// 1 − (y − top) / height (a higher click previews louder); while held the
// button shows pressed when the mouse is over it; on release the value
// returns to 0. User-interface thread.
class PreviewButton : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void draw(DrawContext& context) override { drawFrame(context, pressed_ ? 1 : 0); }
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    bool pressed_ = false;
};

} // namespace trommik2
