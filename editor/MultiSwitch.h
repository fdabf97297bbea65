#pragma once

#include "SkinControl.h"

namespace trommik2 {

// A switch of n positions, one picture each: dragging vertically selects the
// position by the pointer's offset from the top in picture heights; a click
// without a vertical drag selects the position shown under the pointer (the
// pictures show them side by side); value = position / (n − 1). A double
// click sets the default. User-interface thread.
class MultiSwitch : public SkinControl {
  public:
    // Vertical movement up to this many pixels still counts as a click.
    static constexpr int kClickSlop = 2;

    using SkinControl::SkinControl;

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;
    bool wheel(ViewPoint where, float distance, int buttons) override;

  private:
    int position() const;
    void select(int position);
};

} // namespace trommik2
