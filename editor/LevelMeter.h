#pragma once

#include "SkinControl.h"

namespace trommik2 {

// A vertical meter of segments: the lit strip shows up to the value (0..1),
// the dark strip above it. A rising level shows at once; a falling one sinks
// by one segment per new value, so peaks stay readable. User-interface thread.
class LevelMeter : public SkinControl {
  public:
    LevelMeter(const ViewRect& rect, std::shared_ptr<SkinBitmap> dark, std::shared_ptr<SkinBitmap> lit, int segments);

    void setValue(float value) override;
    void draw(DrawContext& context) override;
    int litSegments() const { return shown_; }

  private:
    std::shared_ptr<SkinBitmap> lit_;
    int segments_;
    int shown_ = 0;
};

} // namespace trommik2
