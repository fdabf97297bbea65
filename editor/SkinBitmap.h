#pragma once

#include <memory>

#include <cairo.h>

namespace trommik2 {

// One picture of the skin, decoded from the embedded PNG. Shared by the views
// that show it (a shared pointer counts its users); freed with the last one.
// User-interface thread.
class SkinBitmap {
  public:
    // nullptr when the skin has no such picture.
    static std::shared_ptr<SkinBitmap> load(int number);
    ~SkinBitmap();
    SkinBitmap(const SkinBitmap&) = delete;
    SkinBitmap& operator=(const SkinBitmap&) = delete;

    int number() const { return number_; }
    int width() const { return width_; }
    int height() const { return height_; }
    cairo_surface_t* surface() const { return surface_; }

  private:
    SkinBitmap(int number, cairo_surface_t* surface);

    int number_;
    cairo_surface_t* surface_;
    int width_, height_;
};

} // namespace trommik2
