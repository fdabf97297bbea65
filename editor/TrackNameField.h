#pragma once

#include "TextControl.h"
#include <functional>

namespace trommik2 {

// A track's name over its row picture. A left or middle press reports 1 then
// sets 0 (the editor selects the track); once the mouse has left a box of ±2
// pixels around the press, every position goes to the listener's drag
// notification while the left button is held, and once more at release. A
// right press reports the same and then opens the context menu.
// User-interface thread.
class TrackNameField : public TextControl {
  public:
    TrackNameField(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> rows);

    void setMenuHandler(std::function<void(TrackNameField&)> handler) { menuHandler_ = std::move(handler); }

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    void press();

    std::function<void(TrackNameField&)> menuHandler_;
};

} // namespace trommik2
