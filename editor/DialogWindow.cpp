#include "DialogWindow.h"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include <X11/keysym.h>

namespace trommik2 {

namespace {

constexpr int kMargin = 14;
constexpr uint64_t kDoubleClickMs = 400;

uint64_t nowMs() {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

} // namespace

DialogWindow::DialogWindow(const X11Window& owner, std::string title, int width, int height, std::function<void()> pump)
    : owner_(owner), title_(std::move(title)), width_(width), height_(height), pump_(std::move(pump)) {}

DialogWindow::~DialogWindow() = default;

void DialogWindow::addButton(const std::string& label, int id, bool isDefault) {
    const int right = width_ - kMargin - static_cast<int>(buttons_.size()) * (kButtonWidth + 8);
    const int top = height_ - kMargin - kButtonHeight;
    buttons_.push_back({{right - kButtonWidth, top, right, top + kButtonHeight}, label, id, isDefault});
}

bool DialogWindow::run() {
    int x = 0, y = 0;
    owner_.screenPosition(&x, &y);
    X11TopLevelSpec spec;
    spec.transientFor = owner_.topLevel();
    spec.x = x + (owner_.width() - width_) / 2;
    spec.y = y + std::max(0, (std::min(owner_.height(), 488) - height_) / 2);
    spec.width = width_;
    spec.height = height_;
    spec.title = title_;
    spec.className = "Trommik2Dialog";
    spec.decorated = true;
    window_ = X11Window::openTopLevel(spec, this);
    if (!window_)
        return false;
    window_->takeFocus();
    Window previous = X11Connection::setModal(window_->id());
    while (!done_) {
        X11Connection::drainEvents();
        if (dirty_)
            draw();
        if (pump_)
            pump_();
        std::this_thread::sleep_for(std::chrono::milliseconds(8));
    }
    X11Connection::setModal(previous);
    window_.reset();
    return true;
}

void DialogWindow::draw() {
    dirty_ = false;
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
    {
        DrawContext context(image);
        context.fillRect({0, 0, width_, height_}, skin::kPanel);
        context.frameRect({0, 0, width_, height_}, skin::kEdge);
        paint(context);
        for (const Button& button : buttons_) {
            const bool down = &button == pressed_;
            context.fillRect(button.rect, down ? skin::kSelected : skin::kControl);
            context.frameRect(button.rect, button.isDefault ? skin::kAccent : skin::kEdge);
            context.text(button.label, button.rect, button.isDefault ? skin::kAccent : skin::kText, TextAlign::Centre,
                         10, button.isDefault);
        }
    }
    cairo_surface_flush(image);
    const auto* pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image));
    window_->putImage(pixels, cairo_image_surface_get_stride(image) / 4, {0, 0, width_, height_});
    XFlush(window_->display());
    cairo_surface_destroy(image);
}

const DialogWindow::Button* DialogWindow::buttonAt(ViewPoint where) const {
    for (const Button& button : buttons_)
        if (button.rect.contains(where))
            return &button;
    return nullptr;
}

void DialogWindow::mouseDown(const X11PointerEvent& event) {
    if (!(event.buttons & kMouseLeft))
        return;
    ViewPoint where{event.x, event.y};
    if ((pressed_ = buttonAt(where))) {
        repaint();
        return;
    }
    const uint64_t now = nowMs();
    const bool twice = now - lastClickMs_ < kDoubleClickMs && std::abs(where.x - lastClick_.x) < 4 &&
                       std::abs(where.y - lastClick_.y) < 4;
    lastClickMs_ = twice ? 0 : now;
    lastClick_ = where;
    clicked(where, twice);
    repaint();
}

void DialogWindow::mouseUp(const X11PointerEvent& event) {
    const Button* released = buttonAt({event.x, event.y});
    const Button* pressed = pressed_;
    pressed_ = nullptr;
    repaint();
    if (pressed && released == pressed)
        buttonPressed(pressed->id);
}

void DialogWindow::wheel(const X11PointerEvent& event, int distance) {
    scrolled({event.x, event.y}, -distance);
    repaint();
}

void DialogWindow::keyDown(const X11KeyEvent& key) {
    if (key.keysym == XK_Escape) {
        cancelled();
    } else if (key.keysym == XK_Return || key.keysym == XK_KP_Enter) {
        for (const Button& button : buttons_)
            if (button.isDefault) {
                buttonPressed(button.id);
                break;
            }
    } else {
        typed(key);
    }
    repaint();
}

std::vector<std::string> DialogWindow::wrap(const std::string& text, double width, double size) {
    std::vector<std::string> lines;
    std::istringstream paragraphs(text);
    std::string paragraph;
    while (std::getline(paragraphs, paragraph)) {
        std::istringstream words(paragraph);
        std::string word, line;
        while (words >> word) {
            std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && DrawContext::textWidth(longer, size) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace trommik2
