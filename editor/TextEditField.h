#pragma once

#include <functional>
#include <string>

#include "SkinView.h"

namespace trommik2 {

// In-place editing of one line of text. It takes the keys while it has the
// frame's focus; Return or the focus moving elsewhere hands the text to its
// owner and hides the field, Escape hides it without the text.
// User-interface thread.
class TextEditField : public SkinView {
  public:
    using Done = std::function<void(const std::string& text, bool accepted)>;

    TextEditField(const ViewRect& rect, std::string text, Done done);

    // Shows the field and gives it the keys.
    void begin();
    const std::string& text() const { return text_; }
    size_t cursor() const { return cursor_; }

    void draw(DrawContext& context) override;
    bool keyDown(const X11KeyEvent& key) override;
    void mouseDown(ViewPoint, int) override {}
    void looseFocus() override;

  private:
    void finish(bool accepted);

    std::string text_;
    size_t cursor_;
    Done done_;
    bool active_ = false;
};

} // namespace trommik2
