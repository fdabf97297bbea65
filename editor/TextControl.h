#pragma once

#include <string>

#include "SkinControl.h"

namespace trommik2 {

// A control that shows a line of text in a colour of its own. User-interface thread.
class TextControl : public SkinControl {
  public:
    using SkinControl::SkinControl;

    void setText(const std::string& text);
    const std::string& text() const { return text_; }
    void setColour(SkinColour colour);
    SkinColour colour() const { return colour_; }
    void setFont(double size, bool bold);

  protected:
    void drawText(DrawContext& context, const ViewRect& rect, TextAlign align);

  private:
    std::string text_;
    SkinColour colour_ = skin::kText;
    double size_ = 9;
    bool bold_ = false;
};

} // namespace trommik2
