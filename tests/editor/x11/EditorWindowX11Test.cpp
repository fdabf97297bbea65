#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "XRig.h"
#include "support/FileSupport.h"

namespace trommik2 {
namespace {

using A = XTestDriver::Action;

TEST_F(XRig, OpensInTheWrapperShowingExactlyItsBackingImage) {
    openEditor();
    auto window = static_cast<Window>(editor.systemWindow());
    ASSERT_NE(window, 0u);
    X11Rect size = geometry(window);
    EXPECT_EQ(size.width, 916);
    EXPECT_EQ(size.height, 671);
    cairo_surface_t* shot = screenshot();
    EXPECT_EQ(differingPixels(shot, editor.frame()->backing(), 0), 0);
    compareWithReference(shot, "editor-full");
    cairo_surface_destroy(shot);
    EXPECT_EQ(host.messages, std::vector<std::string>{"DACC"}) << "the frame took the keyboard focus";
}

TEST_F(XRig, ToggleButtonShrinksTheWindowToItsStripAndBack) {
    openEditor();
    clickAt({60, 57});
    EXPECT_EQ(geometry(static_cast<Window>(editor.systemWindow())).height, 72);
    EXPECT_EQ(geometry(wrapper->id()).height, 72);
    cairo_surface_t* shot = screenshot();
    compareWithReference(shot, "editor-compact");
    cairo_surface_destroy(shot);
    ViewPoint key = onScreen({400, 40});
    play({{A::Move, key.x, key.y}, {A::Wait, 50}, {A::Key, XK_e}, {A::Wait, 50}});
    EXPECT_EQ(geometry(wrapper->id()).height, 671);
    EXPECT_TRUE(editor.editMode());
}

TEST_F(XRig, BackgroundDragMovesTheWindowAndReopeningFindsItThere) {
    openEditor();
    ViewPoint from = onScreen({500, 70});
    play({{A::Move, from.x, from.y},
          {A::Wait, 80},
          {A::Press, 1},
          {A::Wait, 150},
          {A::Move, from.x + 20, from.y + 10},
          {A::Wait, 60},
          {A::Move, from.x + 50, from.y + 30},
          {A::Wait, 150},
          {A::Release, 1},
          {A::Wait, 80}});
    int x = 0, y = 0;
    ASSERT_TRUE(wrapper->screenPosition(&x, &y));
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 30);
    editor.close();
    wrapper.reset();
    EXPECT_EQ(host.messages.back(), "RACC");
    ERect* rect = nullptr;
    ASSERT_TRUE(editor.getRect(&rect));
    EXPECT_EQ(rect->left, 50);
    EXPECT_EQ(rect->top, 30);
    openEditor();
    ASSERT_TRUE(wrapper->screenPosition(&x, &y));
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 30);
}

TEST_F(XRig, CloseButtonClosesEditorAndWrapperAfterItsClick) {
    openEditor();
    host.messages.clear();
    clickAt({890, 20});
    EXPECT_FALSE(editor.isOpen());
    EXPECT_FALSE(wrapper);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"DRAW", "RACC"}));
    EXPECT_FALSE(X11Connection::display()) << "the connection closed with the last window";
}

TEST_F(XRig, BadParentOrNoDisplayIsAFailedOpen) {
    EXPECT_FALSE(editor.open(0x7ffffff));
    EXPECT_FALSE(editor.isOpen());
    std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_FALSE(editor.open(1));
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
} // namespace trommik2
