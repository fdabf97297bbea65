#pragma once

#include "SkinView.h"

namespace trommik2 {

// Shows one picture with an optional highlight rectangle (in the picture's
// coordinates), as the module schematics do. User-interface thread.
class PictureView : public SkinView {
  public:
    using SkinView::SkinView;

    void setPicture(std::shared_ptr<SkinBitmap> picture);
    void setHighlight(const ViewRect& area);
    void draw(DrawContext& context) override;

  private:
    ViewRect highlight_;
};

} // namespace trommik2
