#pragma once

#include <functional>
#include <string>

#include "MenuSession.h"
#include "TextControl.h"

namespace trommik2 {

class ListProvider;

// Shows the current entry of a list and opens the list as a pop-up menu on a
// left or right click: the value goes to 1 (the listener hears it) and back
// to 0, the list provider fills the menu for the control's parameter, and the
// entries are shown with the current one marked. For the document and sample
// lists, an entry the highlight rests on is loaded at once to be heard; Escape
// (or a click elsewhere) restores the state from before the menu, a choice
// keeps it. User-interface thread.
class TextMenu : public TextControl, private MenuSession::Watcher {
  public:
    static constexpr const char* kNoneSelected = "- none selected -";

    TextMenu(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> bitmap,
             ListProvider* provider, int parameter);

    int parameter() const { return parameter_; }
    // The current entry's text; an empty one shows that none is selected.
    void setCurrent(const std::string& text);
    // Told once the list is open (the knob menus show a schematic then).
    void setOpenHandler(std::function<void(TextMenu&)> handler) { openHandler_ = std::move(handler); }
    // Told of every entry the highlight moves to, and once the list has closed.
    void setHoverHandler(std::function<void(const MenuEntry&)> handler) { hoverHandler_ = std::move(handler); }
    void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }
    // Row menus draw a glyph instead of the entry's text.
    void setGlyph(const std::string& glyph) { glyph_ = glyph; }

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;

  private:
    void highlighted(const MenuEntry& entry) override;
    void hovered(const MenuEntry& entry) override;
    bool previews() const;

    ListProvider* provider_;
    int parameter_;
    std::function<void(TextMenu&)> openHandler_;
    std::function<void(const MenuEntry&)> hoverHandler_;
    std::function<void()> closeHandler_;
    std::string glyph_;
    bool previewed_ = false;
};

} // namespace trommik2
