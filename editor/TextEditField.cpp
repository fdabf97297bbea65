#include "TextEditField.h"

#include <X11/keysym.h>

#include "EditorFrame.h"

namespace trommik2 {

TextEditField::TextEditField(const ViewRect& rect, std::string text, Done done)
    : SkinView(rect), text_(std::move(text)), cursor_(text_.size()), done_(std::move(done)) {
    setVisible(false);
}

void TextEditField::begin() {
    active_ = true;
    setVisible(true);
    setDirty();
    if (frame())
        frame()->setFocusView(this);
}

void TextEditField::draw(DrawContext& context) {
    context.fillRect(rect(), skin::kDeep);
    context.frameRect(rect(), skin::kAccent);
    ViewRect inner = rect().offset(2, 0);
    context.text(text_, inner, skin::kText, TextAlign::Left, 9);
    // The cursor after the text before it.
    cairo_t* cr = context.cairo();
    skin::setFont(cr, 9, false);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text_.substr(0, cursor_).c_str(), &extents);
    int x = inner.left + 3 + static_cast<int>(extents.x_advance);
    context.line({x, rect().top + 2}, {x, rect().bottom - 3}, skin::kAccent);
}

bool TextEditField::keyDown(const X11KeyEvent& key) {
    if (!active_)
        return false;
    switch (key.keysym) {
    case XK_Return:
    case XK_KP_Enter: finish(true); break;
    case XK_Escape: finish(false); break;
    case XK_BackSpace:
        if (cursor_ > 0)
            text_.erase(--cursor_, 1);
        break;
    case XK_Delete:
        if (cursor_ < text_.size())
            text_.erase(cursor_, 1);
        break;
    case XK_Left: cursor_ -= cursor_ > 0 ? 1 : 0; break;
    case XK_Right: cursor_ += cursor_ < text_.size() ? 1 : 0; break;
    case XK_Home: cursor_ = 0; break;
    case XK_End: cursor_ = text_.size(); break;
    default:
        // Names are stored as single-byte text.
        if (key.character < 0x20 || key.character > 0x7e)
            return true;
        text_.insert(cursor_++, 1, static_cast<char>(key.character));
        break;
    }
    setDirty();
    return true;
}

void TextEditField::looseFocus() { finish(true); }

void TextEditField::finish(bool accepted) {
    if (!active_)
        return;
    active_ = false;
    setVisible(false);
    if (frame() && frame()->focusView() == this)
        frame()->setFocusView(nullptr);
    if (done_)
        done_(text_, accepted);
}

} // namespace trommik2
