#pragma once

#include <memory>
#include <vector>

#include "SkinView.h"

namespace trommik2 {

// A container with a background picture. Children are drawn after the
// background in the order they were added; the mouse goes to the topmost child
// under it. User-interface thread.
class PanelView : public SkinView {
  public:
    using SkinView::SkinView;

    // Takes the view, whose rectangle is in this panel's coordinates; answers it.
    template <typename View>
    View* add(std::unique_ptr<View> view) {
        View* added = view.get();
        adopt(std::move(view));
        return added;
    }

    void draw(DrawContext& context) override;
    // Paints the part of the panel inside the area: background, then every
    // visible child that reaches into it.
    void drawArea(DrawContext& context, const ViewRect& area);
    SkinView* viewAt(ViewPoint where) override;
    void attach(PanelView* parent, EditorFrame* frame, ViewPoint origin) override;
    // Gathers the rectangles of the dirty views below this panel and clears their flags.
    void collectDirty(std::vector<ViewRect>& areas);

  private:
    void adopt(std::unique_ptr<SkinView> view);

    std::vector<std::unique_ptr<SkinView>> children_;
};

} // namespace trommik2
