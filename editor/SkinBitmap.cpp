#include "SkinBitmap.h"

#include <algorithm>
#include <cstring>

#include "SkinImages.h"

namespace trommik2 {
namespace {

struct PngReader {
    SkinImage image;
    size_t position = 0;
};

cairo_status_t readPng(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->image.size - reader->position < length)
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->image.data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

std::shared_ptr<SkinBitmap> SkinBitmap::load(int number) {
    PngReader reader{skinImage(number)};
    if (!reader.image.data)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readPng, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<SkinBitmap>(new SkinBitmap(number, surface));
}

SkinBitmap::SkinBitmap(int number, cairo_surface_t* surface)
    : number_(number), surface_(surface), width_(cairo_image_surface_get_width(surface)),
      height_(cairo_image_surface_get_height(surface)) {}

SkinBitmap::~SkinBitmap() { cairo_surface_destroy(surface_); }

} // namespace trommik2
