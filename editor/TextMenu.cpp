#include "TextMenu.h"

#include <trommik2/control_ids.h>

#include "EditorFrame.h"
#include "core/ListProvider.h"

namespace trommik2 {

TextMenu::TextMenu(const ViewRect& rect, ControlListener* listener, int tag, std::shared_ptr<SkinBitmap> bitmap,
                   ListProvider* provider, int parameter)
    : TextControl(rect, listener, tag, std::move(bitmap)), provider_(provider), parameter_(parameter) {
    setFont(8.5, false);
    setText(kNoneSelected);
}

void TextMenu::setCurrent(const std::string& text) { setText(text.empty() ? kNoneSelected : text); }

void TextMenu::draw(DrawContext& context) {
    drawFrame(context, 0);
    if (!glyph_.empty()) {
        context.text(glyph_, rect(), skin::kLabel, TextAlign::Centre, 8);
        return;
    }
    drawText(context, rect().offset(2, 0), TextAlign::Left);
}

bool TextMenu::previews() const { return parameter_ >= kControlInstrumentMenu && parameter_ <= kControlSampleMenu; }

void TextMenu::mouseDown(ViewPoint, int buttons) {
    if (!(buttons & (kMouseLeft | kMouseRight)) || !frame())
        return;
    setValue(1.0f);
    notify();
    setValue(0.0f);
    Menu menu = provider_->fillMenu(parameter_);
    if (menu.empty())
        return;
    provider_->beginEdit(parameter_);
    previewed_ = false;
    MenuSession session(menu, frame()->onScreen(rect()), frame()->window()->screenBounds(), this);
    if (openHandler_)
        openHandler_(*this);
    frame()->runMenu(session);
    if (closeHandler_)
        closeHandler_();
    if (const MenuEntry* entry = session.chosen())
        provider_->command(parameter_, entry->kind, entry->path.c_str(), 1, entry->value);
    else if (previewed_)
        provider_->endEdit(parameter_);
}

void TextMenu::hovered(const MenuEntry& entry) {
    if (hoverHandler_)
        hoverHandler_(entry);
}

void TextMenu::highlighted(const MenuEntry& entry) {
    if (!previews())
        return;
    previewed_ = true;
    provider_->command(parameter_, entry.kind, entry.path.c_str(), 0, entry.value);
}

} // namespace trommik2
