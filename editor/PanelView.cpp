#include "PanelView.h"

namespace trommik2 {

void PanelView::adopt(std::unique_ptr<SkinView> view) {
    if (frame())
        view->attach(this, frame(), {rect().left, rect().top});
    children_.push_back(std::move(view));
    setDirty();
}

void PanelView::attach(PanelView* parent, EditorFrame* frame, ViewPoint origin) {
    SkinView::attach(parent, frame, origin);
    for (auto& child : children_)
        child->attach(this, frame, {rect().left, rect().top});
}

void PanelView::draw(DrawContext& context) { drawArea(context, rect()); }

void PanelView::drawArea(DrawContext& context, const ViewRect& area) {
    ViewRect clip = area.intersection(rect());
    if (clip.empty())
        return;
    context.pushClip(clip);
    SkinView::draw(context);
    for (auto& child : children_) {
        if (!child->visible() || !child->rect().intersects(clip))
            continue;
        if (auto* panel = dynamic_cast<PanelView*>(child.get()))
            panel->drawArea(context, clip);
        else
            child->draw(context);
    }
    context.popClip();
}

SkinView* PanelView::viewAt(ViewPoint where) {
    if (!visible() || !rect().contains(where))
        return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (SkinView* hit = (*it)->viewAt(where))
            return hit;
    return mouseEnabled() ? this : nullptr;
}

void PanelView::collectDirty(std::vector<ViewRect>& areas) {
    if (isDirty()) {
        areas.push_back(rect());
        setDirty(false);
    }
    for (auto& child : children_) {
        if (auto* panel = dynamic_cast<PanelView*>(child.get())) {
            panel->collectDirty(areas);
        } else if (child->isDirty()) {
            areas.push_back(child->rect());
            child->setDirty(false);
        }
    }
}

} // namespace trommik2
