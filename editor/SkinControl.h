#pragma once

#include <cstdint>

#include "ControlListener.h"
#include "FrameWindow.h"
#include "SkinView.h"

namespace trommik2 {

// A view with a value between a minimum and a maximum, a tag that names it to
// its listener, and the click times for double clicks. User-interface thread.
class SkinControl : public SkinView {
  public:
    SkinControl(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> bitmap);

    // Redraws when the value changes; no clamping (see clampValue).
    virtual void setValue(float value);
    // Sets the value and tells the listener, when it differs; true then.
    bool changeValue(float value);
    float value() const { return value_; }
    void setMin(float min) { min_ = min; }
    void setMax(float max) { max_ = max; }
    float min() const { return min_; }
    float max() const { return max_; }
    void setDefaultValue(float value) { default_ = value; }
    float defaultValue() const { return default_; }
    void clampValue();
    // The value as a share of the range, 0..1.
    float normalised() const;

    int tag() const { return tag_; }
    void setListener(ControlListener* listener) { listener_ = listener; }
    ControlListener* listener() const { return listener_; }
    void setWheelIncrement(float increment) { wheelIncrement_ = increment; }
    float wheelIncrement() const { return wheelIncrement_; }
    void setDoubleClickInterval(uint64_t milliseconds) { doubleClickInterval_ = milliseconds; }
    bool editing() const { return editing_; }

  protected:
    // Tells the listener.
    void notify();
    // Notes a click; true when it follows the previous one within the interval.
    bool isDoubleClick();
    // On a double click: the default value, told to the listener; true then.
    bool restoreDefaultOnDoubleClick();
    // Number of pictures stacked in the bitmap, each as high as the control.
    int frameCount() const;
    // Draws picture number frame (0 based) of the bitmap, below the background offset.
    void drawFrame(DrawContext& context, int frame);
    void setEditing(bool editing) { editing_ = editing; }
    // The current mouse state from the frame.
    MouseState mouse() const;
    uint64_t now() const;

  private:
    float value_ = 0.0f;
    float min_ = 0.0f;
    float max_ = 1.0f;
    float default_ = 0.0f;
    int tag_;
    ControlListener* listener_;
    float wheelIncrement_ = 0.1f;
    uint64_t lastClick_ = 0;
    bool clickedBefore_ = false;
    uint64_t doubleClickInterval_ = 400;
    bool editing_ = false;
};

} // namespace trommik2
