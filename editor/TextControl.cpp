#include "TextControl.h"

namespace trommik2 {

void TextControl::setText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    setDirty();
}

void TextControl::setColour(SkinColour colour) {
    colour_ = colour;
    setDirty();
}

void TextControl::setFont(double size, bool bold) {
    size_ = size;
    bold_ = bold;
    setDirty();
}

void TextControl::drawText(DrawContext& context, const ViewRect& rect, TextAlign align) {
    context.text(text_, rect, colour_, align, size_, bold_);
}

} // namespace trommik2
