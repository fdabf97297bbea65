#include "X11MenuWindows.h"

#include <chrono>
#include <thread>

namespace trommik2 {

X11MenuWindows::~X11MenuWindows() {
    if (grabbed_ && !windows_.empty())
        windows_.front()->releaseInput();
}

void X11MenuWindows::run(const std::function<void()>& pump) {
    follow();
    if (windows_.empty())
        return;
    grabbed_ = windows_.front()->grabInput();
    // Without the grab a click elsewhere could not end the menu: it is not shown.
    if (!grabbed_)
        session_.cancel();
    while (session_.isOpen()) {
        X11Connection::drainEvents();
        follow();
        pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void X11MenuWindows::follow() {
    const auto& levels = session_.levels();
    if (windows_.size() > levels.size()) {
        windows_.resize(levels.size());
        places_.resize(levels.size());
    }
    for (size_t i = 0; i < levels.size(); ++i) {
        const ViewRect& place = levels[i].place;
        if (i >= windows_.size()) {
            X11TopLevelSpec spec;
            spec.x = place.left;
            spec.y = place.top;
            spec.width = place.width();
            spec.height = place.height();
            spec.title = "menu";
            spec.className = "zk_synth_menu_wnd";
            spec.overrideRedirect = true;
            auto window = X11Window::openTopLevel(spec, this);
            if (!window)
                return;
            windows_.push_back(std::move(window));
            places_.push_back(place);
            painted_ = ~uint64_t{0};
        } else if (!(places_[i] == place)) {
            windows_[i]->move(place.left, place.top);
            windows_[i]->resize(place.width(), place.height());
            places_[i] = place;
            painted_ = ~uint64_t{0};
        }
    }
    if (painted_ == session_.revision())
        return;
    for (size_t i = 0; i < levels.size() && i < windows_.size(); ++i)
        paint(i);
    painted_ = session_.revision();
}

void X11MenuWindows::paint(size_t level) {
    const ViewRect& place = places_[level];
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, place.width(), place.height());
    {
        DrawContext context(image);
        session_.draw(context, static_cast<int>(level));
    }
    cairo_surface_flush(image);
    const auto* pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image));
    windows_[level]->putImage(pixels, cairo_image_surface_get_stride(image) / 4, {0, 0, place.width(), place.height()});
    XFlush(windows_[level]->display());
    cairo_surface_destroy(image);
}

} // namespace trommik2
