#include <gtest/gtest.h>

#include <cairo.h>

#include <core/DrumMachine.h>
#include <core/ThumbnailGeometry.h>

using namespace trommik2;

TEST(Thumbnail, GeometryOfTwoBarsAt120Bpm) {
    ThumbnailGeometry g;
    ASSERT_TRUE(ThumbnailGeometry::compute(0, 0, 640, 160, 0, 176400, 120.0f, 44100.0f, &g));
    EXPECT_EQ(g.firstStep, 0);
    EXPECT_EQ(g.stepCount, 64);
    EXPECT_DOUBLE_EQ(g.pixelsPerStep, 10.0);
    EXPECT_EQ(g.cellWidth, 5) << "cells keep a gap: 10 - 10 / 2";
    EXPECT_EQ(g.cellHeight, 5);
    EXPECT_EQ(g.cellLeft(3), 30);
    EXPECT_EQ(g.cellTop(2), 20);

    ASSERT_TRUE(ThumbnailGeometry::compute(10, 5, 20, 21, 88200, 176400, 120.0f, 44100.0f, &g));
    EXPECT_EQ(g.firstStep, 32);
    EXPECT_EQ(g.cellWidth, 1) << "below a pixel a cell is still one pixel wide";
    EXPECT_EQ(g.cellHeight, 1);
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 640, 160, 0, 100, 120.0f, 44100.0f, &g)) << "no whole step";
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 640, 160, 0, 176400, 0.0f, 44100.0f, &g));
    EXPECT_FALSE(ThumbnailGeometry::compute(0, 0, 0, 160, 0, 176400, 120.0f, 44100.0f, &g));
}

TEST(Thumbnail, PaintsTheFactorySnareOnEveryQuarterNote) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 160);
    cairo_t* cr = cairo_create(surface);
    EXPECT_EQ(machine->drawThumbnail(cr, 0, 0, 640, 160, 0, 176400, 120.0f), 0);
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    auto white = [&](int x, int y) {
        return (*reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x) & 0x00FFFFFFu) == 0x00FFFFFFu;
    };
    int painted = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 640; ++x)
            painted += white(x, y) ? 1 : 0;
    EXPECT_EQ(painted, 8 * 5 * 5) << "eight cells of 5 x 5 pixels";
    EXPECT_TRUE(white(80, 12)) << "step 8 of track 1";
    EXPECT_FALSE(white(90, 12));
    EXPECT_FALSE(white(0, 2)) << "track 0 is empty";
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
