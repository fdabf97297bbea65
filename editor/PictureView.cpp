#include "PictureView.h"

namespace trommik2 {

void PictureView::setPicture(std::shared_ptr<SkinBitmap> picture) {
    setBackground(std::move(picture));
    setDirty();
}

void PictureView::setHighlight(const ViewRect& area) {
    if (area == highlight_)
        return;
    highlight_ = area;
    setDirty();
}

void PictureView::draw(DrawContext& context) {
    SkinView::draw(context);
    if (highlight_.empty())
        return;
    ViewRect area = highlight_.offset(rect().left, rect().top);
    context.fillRect(area, skin::kAccent, 0.18);
    context.frameRect(area, skin::kAccent);
}

} // namespace trommik2
