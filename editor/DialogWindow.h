#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DrawContext.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {

// A modal dialog of the editor: a top-level window, transient for the
// editor's, drawn with the skin's colours and font, with push buttons along
// its bottom. It runs until a subclass finishes it; meanwhile the other windows
// paint but take no input, and the editor keeps its idle. Return presses the
// default button, Escape cancels. User-interface thread.
class DialogWindow : private X11WindowListener {
  public:
    static constexpr int kButtonWidth = 84;
    static constexpr int kButtonHeight = 26;

    DialogWindow(const X11Window& owner, std::string title, int width, int height, std::function<void()> pump);
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Shows the dialog until it finishes; false when its window cannot be made.
    bool run();

  protected:
    // Buttons fill the bottom row from the right, in the order added.
    void addButton(const std::string& label, int id, bool isDefault = false);
    void finish() { done_ = true; }
    void repaint() { dirty_ = true; }
    int width() const { return width_; }
    int height() const { return height_; }
    const X11Window& owner() const { return owner_; }

    virtual void paint(DrawContext& context) = 0;
    virtual void buttonPressed(int id) = 0;
    // Escape and the window's close.
    virtual void cancelled() = 0;
    virtual void clicked(ViewPoint, bool /*twice*/) {}
    virtual void typed(const X11KeyEvent&) {}
    virtual void scrolled(ViewPoint, int /*rows*/) {}

    // Wrapped lines of text at the given size.
    static std::vector<std::string> wrap(const std::string& text, double width, double size);

  private:
    struct Button {
        ViewRect rect;
        std::string label;
        int id;
        bool isDefault;
    };

    void draw();
    const Button* buttonAt(ViewPoint where) const;

    void exposed(const X11Rect&) override { dirty_ = true; }
    void mouseDown(const X11PointerEvent& event) override;
    void mouseUp(const X11PointerEvent& event) override;
    void wheel(const X11PointerEvent& event, int distance) override;
    void keyDown(const X11KeyEvent& key) override;
    void closeRequested() override { cancelled(); }

    const X11Window& owner_;
    std::string title_;
    int width_, height_;
    std::function<void()> pump_;
    std::unique_ptr<X11Window> window_;
    std::vector<Button> buttons_;
    const Button* pressed_ = nullptr;
    bool done_ = false;
    bool dirty_ = true;
    uint64_t lastClickMs_ = 0;
    ViewPoint lastClick_{-100, -100};
};

} // namespace trommik2
