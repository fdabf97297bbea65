#pragma once

#include "DialogWindow.h"
#include "platform/Dialogs.h"

namespace trommik2 {

// A message box: an icon (stop, warning, question, information), the text and
// OK, or Yes and No. User-interface thread.
class MessageDialog : public DialogWindow {
  public:
    MessageDialog(const X11Window& owner, const std::string& text, const std::string& caption, MessageIcon icon,
                  bool yesNo, std::function<void()> pump);

    // The answer once run: Ok, Yes or No (No also when closed without one).
    Answer answer() const { return answer_; }

  private:
    void paint(DrawContext& context) override;
    void buttonPressed(int id) override;
    void cancelled() override;
    void drawIcon(DrawContext& context) const;

    std::vector<std::string> lines_;
    MessageIcon icon_;
    bool yesNo_;
    Answer answer_;
};

} // namespace trommik2
