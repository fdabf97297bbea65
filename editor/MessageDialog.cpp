#include "MessageDialog.h"

#include <cmath>

namespace trommik2 {

namespace {

constexpr int kWidth = 420;
constexpr int kTextLeft = 72;
constexpr int kLineHeight = 17;
constexpr double kTextSize = 10.5;
constexpr SkinColour kStopRed{0.86, 0.25, 0.24};
constexpr SkinColour kQuestionBlue{0.28, 0.56, 0.86};

int heightFor(size_t lines) {
    return std::max(130, 28 + static_cast<int>(lines) * kLineHeight + 24 + DialogWindow::kButtonHeight + 14);
}

} // namespace

MessageDialog::MessageDialog(const X11Window& owner, const std::string& text, const std::string& caption,
                             MessageIcon icon, bool yesNo, std::function<void()> pump)
    : DialogWindow(owner, caption, kWidth, heightFor(wrap(text, kWidth - kTextLeft - 20, kTextSize).size()),
                   std::move(pump)),
      lines_(wrap(text, kWidth - kTextLeft - 20, kTextSize)), icon_(icon), yesNo_(yesNo),
      answer_(yesNo ? Answer::No : Answer::Ok) {
    if (yesNo) {
        addButton("No", static_cast<int>(Answer::No));
        addButton("Yes", static_cast<int>(Answer::Yes), true);
    } else {
        addButton("OK", static_cast<int>(Answer::Ok), true);
    }
}

void MessageDialog::paint(DrawContext& context) {
    drawIcon(context);
    for (size_t i = 0; i < lines_.size(); ++i) {
        const int top = 28 + static_cast<int>(i) * kLineHeight;
        context.text(lines_[i], {kTextLeft, top, width() - 14, top + kLineHeight}, skin::kText, TextAlign::Left,
                     kTextSize);
    }
}

void MessageDialog::drawIcon(DrawContext& context) const {
    cairo_t* cr = context.cairo();
    const double cx = 38, cy = 44, r = 17;
    SkinColour colour = icon_ == MessageIcon::Stop      ? kStopRed
                        : icon_ == MessageIcon::Warning ? skin::kAccent
                                                        : kQuestionBlue;
    if (icon_ == MessageIcon::Warning) {
        cairo_move_to(cr, cx, cy - r);
        cairo_line_to(cr, cx + r, cy + r * 0.8);
        cairo_line_to(cr, cx - r, cy + r * 0.8);
        cairo_close_path(cr);
    } else if (icon_ == MessageIcon::Stop) {
        for (int i = 0; i < 8; ++i) {
            double angle = M_PI / 8 + i * M_PI / 4;
            cairo_line_to(cr, cx + r * std::cos(angle), cy + r * std::sin(angle));
        }
        cairo_close_path(cr);
    } else {
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    }
    skin::setColour(cr, colour);
    cairo_fill(cr);
    const char* glyph = icon_ == MessageIcon::Stop       ? "\u2715"
                        : icon_ == MessageIcon::Warning  ? "!"
                        : icon_ == MessageIcon::Question ? "?"
                                                         : "i";
    ViewRect box{static_cast<int>(cx - r), static_cast<int>(cy - r + (icon_ == MessageIcon::Warning ? 5 : 0)),
                 static_cast<int>(cx + r), static_cast<int>(cy + r)};
    context.text(glyph, box, skin::kDeep, TextAlign::Centre, 16, true);
}

void MessageDialog::buttonPressed(int id) {
    answer_ = static_cast<Answer>(id);
    finish();
}

void MessageDialog::cancelled() {
    answer_ = yesNo_ ? Answer::No : Answer::Ok;
    finish();
}

} // namespace trommik2
