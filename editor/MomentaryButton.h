#pragma once

#include "SkinControl.h"

namespace trommik2 {

// A push button (two pictures): value 1 while the left button holds it down
// over it, 0 when the mouse leaves it or lets go; the listener hears every
// change. In release mode the listener hears nothing while it is held and, on
// a release over the button, 1 followed by 0. User-interface thread.
class MomentaryButton : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void setReleaseMode(bool on) { releaseMode_ = on; }
    // Shows the pressed picture while not pressed too (a lit bar button).
    void setLit(bool lit);
    bool lit() const { return lit_; }
    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    void show(bool pressed);
    bool lit_ = false;

    bool releaseMode_ = false;
    bool pressed_ = false;
};

} // namespace trommik2
