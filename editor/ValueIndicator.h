#pragma once

#include "SkinSlider.h"

namespace trommik2 {

// A vertical slider that only shows a value (the automation of a knob); its
// owner sets the range. It takes no mouse input. User-interface thread.
class ValueIndicator : public SkinSlider {
  public:
    ValueIndicator(const ViewRect& rect, int tag, std::shared_ptr<SkinBitmap> handle)
        : SkinSlider(rect, nullptr, tag, std::move(handle), SliderStyle::Vertical) {
        setMouseEnabled(false);
    }
};

} // namespace trommik2
