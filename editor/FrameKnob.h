#pragma once

#include <optional>

#include "EditorFrame.h"
#include "SkinControl.h"

namespace trommik2 {

// A knob of 55 pictures. Dragging follows the editor-wide knob mode or the
// knob's own: linear (right or up adds, a 200-pixel travel covers the range,
// Shift divides by the zoom factor) or circular (the mouse angle around the
// centre; relative: its change). Alt always turns circularly. With discrete
// positions the value snaps to them on drag, wheel and keys. A double click
// restores the default. User-interface thread.
class FrameKnob : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;
    bool wheel(ViewPoint where, float distance, int buttons) override;
    bool keyDown(const X11KeyEvent& key) override;

    void setMode(std::optional<KnobMode> mode) { mode_ = mode; }
    void setZoomFactor(float zoom) { zoom_ = zoom; }
    // Number of positions with and without Shift; fewer than 2: continuous.
    void setDiscretePositions(int normal, int fine) {
        positions_ = normal;
        finePositions_ = fine;
    }

  private:
    class Drag;

    KnobMode modeFor(int buttons) const;
    float snapped(float value, int buttons) const;
    // Adds steps (wheel or arrow keys); one step is one position when discrete.
    void step(float steps, int buttons);

    std::optional<KnobMode> mode_;
    float zoom_ = 10.0f;
    int positions_ = 0;
    int finePositions_ = 0;
};

} // namespace trommik2
