#include "SkinView.h"

#include "EditorFrame.h"

namespace trommik2 {

void SkinView::draw(DrawContext& context) {
    if (background_)
        context.bitmap(*background_, rect_, backgroundOffset_);
}

SkinView* SkinView::viewAt(ViewPoint where) {
    return visible_ && mouseEnabled_ && rect_.contains(where) ? this : nullptr;
}

void SkinView::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    setDirty();
}

void SkinView::setBackgroundOffset(ViewPoint offset) {
    if (offset == backgroundOffset_)
        return;
    backgroundOffset_ = offset;
    setDirty();
}

void SkinView::attach(PanelView* parent, EditorFrame* frame, ViewPoint origin) {
    parent_ = parent;
    frame_ = frame;
    rect_ = rect_.offset(origin.x, origin.y);
}

void SkinView::runIdlePump() {
    if (frame_)
        frame_->runIdlePump();
}

} // namespace trommik2
