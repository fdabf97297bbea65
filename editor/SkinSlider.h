#pragma once

#include "SkinControl.h"

namespace trommik2 {

enum class SliderStyle { Horizontal, Vertical };

// A handle picture that slides over the panel. The value grows to the right or
// upwards for sliders whose origin is at the left or bottom (inverted: from the
// right or top). The press must hit the handle unless clicks anywhere are
// accepted (the handle then jumps under the mouse); Shift divides the movement
// by the zoom factor; a double click restores the default.
// User-interface thread.
class SkinSlider : public SkinControl {
  public:
    SkinSlider(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> handle,
               SliderStyle style);

    void setOriginAtEnd(bool on) { originAtEnd_ = on; }
    void setClickAnywhere(bool on) { clickAnywhere_ = on; }
    void setZoomFactor(float zoom) { zoom_ = zoom; }

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;
    bool wheel(ViewPoint where, float distance, int buttons) override;
    // Where the handle is drawn.
    ViewRect handleRect() const;

  private:
    int length() const;
    int handleLength() const;
    int along(ViewPoint point) const;
    // The share of the range for a handle start along the slider.
    double shareAt(double handleStart) const;

    std::shared_ptr<SkinBitmap> handle_;
    SliderStyle style_;
    bool originAtEnd_ = false;
    bool clickAnywhere_ = false;
    float zoom_ = 10.0f;
};

} // namespace trommik2
