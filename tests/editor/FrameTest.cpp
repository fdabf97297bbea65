#include <gtest/gtest.h>

#include <cstring>

#include "ToolkitRig.h"
#include "editor/FrameKnob.h"
#include "editor/TagTables.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {
namespace {

bool sameImage(cairo_surface_t* a, cairo_surface_t* b) {
    int height = cairo_image_surface_get_height(a);
    int stride = cairo_image_surface_get_stride(a);
    return height == cairo_image_surface_get_height(b) && stride == cairo_image_surface_get_stride(b) &&
           std::memcmp(cairo_image_surface_get_data(a), cairo_image_surface_get_data(b), size_t(height) * stride) == 0;
}

TEST(SkinTest, EveryPictureOfTheCatalogueIsEmbeddedWithItsSize) {
    for (const SkinEntry& entry : kSkinCatalogue) {
        SCOPED_TRACE(entry.number);
        auto bitmap = SkinBitmap::load(entry.number);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->width(), entry.width);
        EXPECT_EQ(bitmap->height(), entry.height);
        EXPECT_EQ(entry.height % (entry.frames * entry.shades), 0);
    }
    EXPECT_FALSE(SkinBitmap::load(1));
    EXPECT_FALSE(SkinBitmap::load(57));
}

TEST(FrameTest, RepaintsOnlyWhatChangedAndKeepsTheBackingWhole) {
    ToolkitRig rig;
    rig.panel->setBackground(SkinBitmap::load(2));
    auto* knob = rig.add(std::make_unique<FrameKnob>(ViewRect{100, 100, 127, 127}, &rig, 14, SkinBitmap::load(11)));
    auto* other = rig.add(std::make_unique<FrameKnob>(ViewRect{300, 40, 327, 67}, &rig, 15, SkinBitmap::load(11)));
    rig.frame.update();
    rig.window->shown.clear();

    knob->setValue(0.7f);
    other->setValue(0.2f);
    rig.frame.update();
    EXPECT_EQ(rig.window->shown, (std::vector<ViewRect>{{100, 100, 127, 127}, {300, 40, 327, 67}}));
    rig.frame.update();
    EXPECT_EQ(rig.window->shown.size(), 2u) << "nothing dirty, nothing shown";

    // The backing image equals a fresh paint of the whole frame.
    cairo_surface_t* fresh = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 400, 300);
    {
        DrawContext context(fresh);
        rig.frame.drawArea(context, rig.frame.rect());
    }
    cairo_surface_flush(fresh);
    EXPECT_TRUE(sameImage(fresh, rig.frame.backing()));
    cairo_surface_destroy(fresh);
}

TEST(FrameTest, TheMouseGoesToTheTopmostViewAndNotToHiddenOnes) {
    ToolkitRig rig;
    auto* below = rig.add(std::make_unique<FrameKnob>(ViewRect{0, 0, 400, 300}, &rig, 0, nullptr));
    auto* above = rig.add(std::make_unique<FrameKnob>(ViewRect{100, 100, 127, 127}, &rig, 14, nullptr));
    EXPECT_EQ(rig.frame.viewAt({110, 110}), above);
    above->setVisible(false);
    EXPECT_EQ(rig.frame.viewAt({110, 110}), below);
    below->setMouseEnabled(false);
    EXPECT_EQ(rig.frame.viewAt({110, 110}), rig.panel);
}

TEST(TagTablesTest, ParametersAndHintsByTag) {
    TagTables tags;
    const std::pair<int, int> parameters[] = {{3, 5000},   {13, 10000}, {20, 52},    {23, 55},     {52, 39}, {56, 56},
                                              {69, 10028}, {84, 10043}, {85, 10044}, {100, 10059}, {0, -1},  {8, -1},
                                              {14, -1},    {204, -1},   {205, -1},   {-1, -1}};
    for (auto [tag, parameter] : parameters)
        EXPECT_EQ(tags.parameter(tag), parameter) << tag;
    const std::tuple<int, HintKind, int> hints[] = {
        {0, HintKind::TrackInstrument, 0}, {2, HintKind::Version, 0},        {3, HintKind::String, 1000},
        {8, HintKind::String, 1048},       {13, HintKind::ParameterText, 0}, {17, HintKind::KnobName, 0},
        {24, HintKind::OwnText, 0},        {29, HintKind::String, 1012},     {45, HintKind::String, 1024},
        {51, HintKind::String, 1030},      {61, HintKind::String, 1041},     {62, HintKind::TrackInstrument, 0},
        {164, HintKind::String, 1044},     {186, HintKind::String, 1050},    {190, HintKind::TrackInstrument, 0}};
    for (auto [tag, kind, string] : hints) {
        EXPECT_EQ(tags.hintKind(tag), kind) << tag;
        EXPECT_EQ(tags.hintString(tag), string) << tag;
    }
}

} // namespace
} // namespace trommik2
