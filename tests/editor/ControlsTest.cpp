#include <gtest/gtest.h>

#include <cmath>

#include <X11/keysym.h>

#include "ToolkitRig.h"
#include "editor/FrameKnob.h"
#include "editor/LevelMeter.h"
#include "editor/MomentaryButton.h"
#include "editor/MultiSwitch.h"
#include "editor/SkinSlider.h"
#include "editor/TextEditField.h"
#include "editor/ToggleSwitch.h"
#include "editor/TrackNameField.h"

namespace trommik2 {
namespace {

using Steps = std::vector<ScriptedWindow::Step>;

class ControlsTest : public ::testing::Test {
  protected:
    FrameKnob* knob(float value = 0.0f) {
        auto* k = rig.add(std::make_unique<FrameKnob>(ViewRect{100, 100, 127, 127}, &rig, 14, SkinBitmap::load(11)));
        k->setValue(value);
        return k;
    }
    static constexpr ViewPoint kCentre{113, 113};

    ToolkitRig rig;
};

struct KnobDrag {
    const char* name;
    KnobMode mode;
    float start;
    int pressButtons;
    Steps steps;
    float expected;
};

TEST_F(ControlsTest, KnobDragsFollowTheModeAndShift) {
    const int left = kMouseLeft, shift = kMouseLeft | kModShift;
    const KnobDrag cases[] = {
        {"linear up 100 px", KnobMode::Linear, 0.0f, left, ToolkitRig::path({{113, 63}, {113, 13}}, left), 0.5f},
        {"linear right 40 px", KnobMode::Linear, 0.0f, left, ToolkitRig::path({{153, 113}}, left), 0.2f},
        {"linear down past the minimum", KnobMode::Linear, 0.1f, left, ToolkitRig::path({{113, 200}}, left), 0.0f},
        {"shift divides by the zoom", KnobMode::Linear, 0.0f, shift, ToolkitRig::path({{113, 13}}, shift), 0.05f},
        {"shift pressed midway continues",
         KnobMode::Linear,
         0.0f,
         left,
         {{{{113, 63}, left}}, {{{113, 63}, shift}}, {{{113, -37}, shift}}},
         0.30f},
        {"circular: up is the middle", KnobMode::Circular, 0.0f, left, ToolkitRig::path({{113, 50}}, left), 0.5f},
        {"circular: left", KnobMode::Circular, 0.0f, left, ToolkitRig::path({{50, 113}}, left), 1.0f / 6},
        {"circular: right", KnobMode::Circular, 0.0f, left, ToolkitRig::path({{176, 113}}, left), 5.0f / 6},
        {"circular: gap, right half", KnobMode::Circular, 0.5f, left, ToolkitRig::path({{120, 176}}, left), 1.0f},
        {"circular: gap, left half", KnobMode::Circular, 0.5f, left, ToolkitRig::path({{106, 176}}, left), 0.0f},
        {"relative: a quarter turn", KnobMode::RelativeCircular, 0.5f, left,
         ToolkitRig::path({{113, 50}, {176, 113}}, left), 0.5f + 1.0f / 3},
        {"alt turns circularly", KnobMode::Linear, 0.0f, left | kModAlt, ToolkitRig::path({{113, 50}}, left | kModAlt),
         0.5f},
    };
    for (const KnobDrag& c : cases) {
        SCOPED_TRACE(c.name);
        ToolkitRig fresh;
        auto* k =
            fresh.add(std::make_unique<FrameKnob>(ViewRect{100, 100, 127, 127}, &fresh, 14, SkinBitmap::load(11)));
        k->setValue(c.start);
        fresh.frame.setKnobMode(c.mode);
        ViewPoint press = c.mode == KnobMode::RelativeCircular ? ViewPoint{113, 101} : kCentre;
        fresh.drag(press, c.pressButtons, c.steps);
        EXPECT_NEAR(k->value(), c.expected, 1e-4);
    }
}

TEST_F(ControlsTest, DiscreteKnobMovesOnlyBetweenItsPositions) {
    FrameKnob* k = knob();
    k->setDiscretePositions(5, 5);
    Steps up;
    for (int y = 103; y >= -97; y -= 10)
        up.push_back({{{113, y}, kMouseLeft}});
    rig.drag(kCentre, kMouseLeft, up);
    ASSERT_FALSE(rig.values.empty());
    for (float v : rig.values)
        EXPECT_NEAR(v * 4, std::round(v * 4), 1e-5) << v;
    EXPECT_FLOAT_EQ(k->value(), 1.0f);

    k->setValue(0.0f);
    const float afterSteps[] = {0.25f, 0.5f, 0.75f, 1.0f, 1.0f};
    for (float expected : afterSteps) {
        rig.frame.wheel(kCentre, 1.0f, 0);
        EXPECT_FLOAT_EQ(k->value(), expected);
    }
    rig.frame.wheel(kCentre, -2.0f, 0);
    EXPECT_FLOAT_EQ(k->value(), 0.5f);
}

TEST_F(ControlsTest, KnobWheelAndArrowsUseTheIncrementAndAThenthWithShift) {
    FrameKnob* k = knob(0.5f);
    rig.frame.wheel(kCentre, 1.0f, 0);
    EXPECT_NEAR(k->value(), 0.6f, 1e-6);
    rig.frame.wheel(kCentre, -1.0f, kModShift);
    EXPECT_NEAR(k->value(), 0.59f, 1e-6);
    EXPECT_TRUE(k->keyDown({XK_Left, 0, 0}));
    EXPECT_NEAR(k->value(), 0.49f, 1e-6);
    EXPECT_TRUE(k->keyDown({XK_Up, 0, kModShift}));
    EXPECT_NEAR(k->value(), 0.50f, 1e-6);
    EXPECT_FALSE(k->keyDown({XK_Return, 0, 0}));
}

TEST_F(ControlsTest, DoubleClickRestoresTheDefaultOnlyWithinTheInterval) {
    FrameKnob* k = knob(0.8f);
    k->setDefaultValue(0.3f);
    rig.click(kCentre);
    rig.window->advance(500);
    rig.click(kCentre);
    EXPECT_FLOAT_EQ(k->value(), 0.8f) << "too slow for a double click";
    rig.window->advance(200);
    rig.click(kCentre);
    EXPECT_FLOAT_EQ(k->value(), 0.3f);
    EXPECT_EQ(rig.values.back(), 0.3f);
}

TEST_F(ControlsTest, MomentaryButtonReportsPressAndReleaseByMode) {
    struct Case {
        const char* name;
        bool releaseMode;
        Steps steps;
        std::vector<float> heard;
    };
    const Case cases[] = {
        {"click", false, {}, {1, 0}},
        {"leave and come back", false, ToolkitRig::path({{200, 200}, {20, 20}}, kMouseLeft), {1, 0, 1, 0}},
        {"release mode, let go over it", true, ToolkitRig::path({{200, 200}, {20, 20}}, kMouseLeft), {1, 0}},
        {"release mode, let go outside", true, ToolkitRig::path({{200, 200}}, kMouseLeft), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ToolkitRig fresh;
        auto* button =
            fresh.add(std::make_unique<MomentaryButton>(ViewRect{10, 10, 36, 33}, &fresh, 3, SkinBitmap::load(3)));
        button->setReleaseMode(c.releaseMode);
        fresh.drag({20, 20}, kMouseLeft, c.steps);
        EXPECT_EQ(fresh.values, c.heard);
        EXPECT_EQ(button->value(), 0.0f);
    }
    ToolkitRig fresh;
    fresh.add(std::make_unique<MomentaryButton>(ViewRect{10, 10, 36, 33}, &fresh, 3, SkinBitmap::load(3)));
    fresh.click({20, 20}, kMouseLeft | kModShift);
    fresh.click({20, 20}, kMouseRight);
    EXPECT_TRUE(fresh.values.empty()) << "only the left button without modifiers presses it";
}

TEST_F(ControlsTest, MultiSwitchSelectsByOffsetInFrameHeights) {
    auto* s = rig.add(std::make_unique<MultiSwitch>(ViewRect{200, 10, 263, 42}, &rig, 35, SkinBitmap::load(13)));
    s->setValue(0.5f);
    s->setDefaultValue(0.5f);
    rig.drag({230, 15}, kMouseLeft, ToolkitRig::path({{230, 50}, {230, 80}, {230, 150}, {230, -30}}, kMouseLeft));
    EXPECT_EQ(rig.values, (std::vector<float>{1.0f, 0.0f})) << "the press alone changes nothing";
    rig.window->advance(100);
    rig.click({230, 15});
    EXPECT_FLOAT_EQ(s->value(), 0.5f) << "the double click restores the default";
    rig.frame.wheel({230, 15}, 1.0f, 0);
    EXPECT_FLOAT_EQ(s->value(), 1.0f);
    // A click takes the picture's position under the pointer; two pixels up
    // or down are still a click.
    for (auto [x, expected] : {std::pair{205, 0.0f}, {250, 1.0f}, {231, 0.5f}}) {
        rig.window->advance(1000);
        rig.drag({x, 20}, kMouseLeft, ToolkitRig::path({{x, 22}}, kMouseLeft));
        EXPECT_FLOAT_EQ(s->value(), expected) << x;
    }
}

TEST_F(ControlsTest, SlidersGrowFromTheirOrigin) {
    struct Case {
        const char* name;
        SliderStyle style;
        bool originAtEnd;
        int bitmap;
        ViewRect rect;
        ViewPoint press;
        Steps steps;
        int pressButtons;
        float expected;
    };
    const int left = kMouseLeft;
    const Case cases[] = {
        {"vertical from the bottom, half way",
         SliderStyle::Vertical,
         false,
         40,
         {300, 100, 314, 165},
         {307, 160},
         ToolkitRig::path({{307, 133}}, left),
         left,
         0.5f},
        {"vertical from the bottom, to the top",
         SliderStyle::Vertical,
         false,
         40,
         {300, 100, 314, 165},
         {307, 160},
         ToolkitRig::path({{307, 50}}, left),
         left,
         1.0f},
        {"vertical, press beside the handle",
         SliderStyle::Vertical,
         false,
         40,
         {300, 100, 314, 165},
         {307, 110},
         ToolkitRig::path({{307, 50}}, left),
         left,
         0.0f},
        {"vertical from the top",
         SliderStyle::Vertical,
         true,
         40,
         {300, 100, 314, 165},
         {307, 105},
         ToolkitRig::path({{307, 132}}, left),
         left,
         0.5f},
        {"horizontal from the right",
         SliderStyle::Horizontal,
         true,
         42,
         {100, 250, 185, 257},
         {181, 253},
         ToolkitRig::path({{142, 253}}, left),
         left,
         0.5f},
        {"horizontal with shift",
         SliderStyle::Horizontal,
         false,
         42,
         {100, 250, 185, 257},
         {103, 253},
         ToolkitRig::path({{181, 253}}, left | kModShift),
         left | kModShift,
         0.1f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ToolkitRig fresh;
        auto* slider = fresh.add(std::make_unique<SkinSlider>(c.rect, &fresh, 37, SkinBitmap::load(c.bitmap), c.style));
        slider->setOriginAtEnd(c.originAtEnd);
        fresh.drag(c.press, c.pressButtons, c.steps);
        EXPECT_NEAR(slider->value(), c.expected, 1e-5);
    }
}

TEST_F(ControlsTest, NameFieldDragsOnlyBeyondTwoPixels) {
    auto* field =
        rig.add(std::make_unique<TrackNameField>(ViewRect{10, 200, 133, 220}, &rig, 149, SkinBitmap::load(27)));
    rig.drag({50, 210}, kMouseLeft, ToolkitRig::path({{52, 212}, {48, 208}}, kMouseLeft));
    EXPECT_EQ(rig.values, std::vector<float>{1.0f});
    EXPECT_EQ(field->value(), 0.0f);
    EXPECT_TRUE(rig.drags.empty());
    EXPECT_EQ(rig.releases, 0);

    rig.drag({50, 210}, kMouseLeft, ToolkitRig::path({{52, 212}, {53, 210}, {60, 260}}, kMouseLeft));
    EXPECT_EQ(rig.drags, (std::vector<ViewPoint>{{53, 210}, {60, 260}, {60, 260}}));
    EXPECT_EQ(rig.releases, 1);

    int menus = 0;
    field->setMenuHandler([&menus](TrackNameField&) { ++menus; });
    rig.click({50, 210}, kMouseRight);
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(rig.values.size(), 3u);
}

TEST_F(ControlsTest, ToggleSwitchFlipsAndReportsItsDragInDragMode) {
    auto* toggle =
        rig.add(std::make_unique<ToggleSwitch>(ViewRect{150, 200, 164, 220}, &rig, 69, SkinBitmap::load(22)));
    rig.click({155, 210});
    EXPECT_EQ(toggle->value(), 1.0f);
    EXPECT_TRUE(rig.drags.empty());
    toggle->setDragMode(true);
    rig.drag({155, 210}, kMouseLeft, ToolkitRig::path({{155, 230}, {155, 250}}, kMouseLeft));
    EXPECT_EQ(toggle->value(), 0.0f);
    EXPECT_EQ(rig.drags, (std::vector<ViewPoint>{{155, 210}, {155, 230}, {155, 250}, {155, 250}}));
    EXPECT_EQ(rig.releases, 1);
}

TEST_F(ControlsTest, LevelMeterRisesAtOnceAndFallsOneSegmentAtATime) {
    auto* meter =
        rig.add(std::make_unique<LevelMeter>(ViewRect{10, 10, 15, 34}, SkinBitmap::load(51), SkinBitmap::load(52), 12));
    const std::pair<float, int> sequence[] = {{1.0f, 12}, {0.0f, 11}, {0.0f, 10}, {0.5f, 9}, {0.5f, 8},
                                              {0.5f, 7},  {0.5f, 6},  {0.5f, 6},  {0.9f, 11}};
    for (auto [value, segments] : sequence) {
        meter->setValue(value);
        EXPECT_EQ(meter->litSegments(), segments) << value;
    }
}

TEST_F(ControlsTest, TextFieldEditsAndHandsOverItsTextWhenTheFocusMoves) {
    std::vector<std::pair<std::string, bool>> done;
    auto* field = rig.add(std::make_unique<TextEditField>(
        ViewRect{10, 10, 110, 26}, "Kick",
        [&done](const std::string& text, bool accepted) { done.emplace_back(text, accepted); }));
    field->begin();
    for (unsigned long key : {XK_BackSpace, XK_Left, XK_Left})
        rig.frame.keyDown({key, 0, 0});
    rig.frame.keyDown({XK_x, 'x', 0});
    EXPECT_EQ(field->text(), "Kxic");
    rig.click({300, 250});
    EXPECT_EQ(done, (std::vector<std::pair<std::string, bool>>{{"Kxic", true}}));
    EXPECT_FALSE(field->visible());
    field->begin();
    rig.frame.keyDown({XK_Escape, 0, 0});
    EXPECT_EQ(done.back(), (std::pair<std::string, bool>{"Kxic", false}));
}

} // namespace
} // namespace trommik2
