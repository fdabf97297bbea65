#pragma once

#include "TextControl.h"

namespace trommik2 {

// A line of text over the panel. User-interface thread.
class TextLabel : public TextControl {
  public:
    TextLabel(const ViewRect& rect, int tag, TextAlign align = TextAlign::Left)
        : TextControl(rect, nullptr, tag, nullptr), align_(align) {}

    void draw(DrawContext& context) override {
        TextControl::draw(context);
        drawText(context, rect(), align_);
    }

  private:
    TextAlign align_;
};

} // namespace trommik2
