#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "editor/MenuSession.h"

namespace trommik2 {
namespace {

MenuEntry entry(const std::string& text, int value, bool marked = false) {
    MenuEntry e;
    e.text = text;
    e.value = value;
    e.marked = marked;
    return e;
}

// A folder "Drums" holding the current choice, a separator, a disabled entry.
Menu sample() {
    MenuEntry folder = entry("Drums", 0, true);
    folder.submenu = true;
    folder.children = {entry("Kick", 10), entry("Snare", 11, true), entry("Hat", 12)};
    MenuEntry separator;
    separator.separator = true;
    MenuEntry disabled = entry("Locked", 2);
    disabled.disabled = true;
    return {entry("First", 1), folder, separator, disabled, entry("Last", 3)};
}

struct Previews : MenuSession::Watcher {
    void highlighted(const MenuEntry& e) override { values.push_back(e.value); }
    std::vector<int> values;
};

const ViewRect kScreen{0, 0, 1280, 1024};
const ViewRect kAnchor{100, 100, 220, 114};

TEST(MenuSession, KeysWalkTheListsPastSeparatorsAndDisabledEntries) {
    Menu menu = sample();
    Previews previews;
    MenuSession session(menu, kAnchor, kScreen, &previews);
    EXPECT_EQ(session.levels()[0].highlight, 1) << "the folder holding the current choice";
    EXPECT_EQ(session.levels()[0].place.top, 114) << "opens below its control";
    session.key(XK_Right);
    ASSERT_EQ(session.levels().size(), 2u);
    EXPECT_EQ(session.levels()[1].highlight, 1) << "the current choice";
    EXPECT_EQ(session.levels()[1].place.left, session.levels()[0].place.right - 2);
    session.key(XK_Down);
    session.key(XK_Down); // no entry below the last
    session.key(XK_Left);
    EXPECT_EQ(session.levels().size(), 1u);
    session.key(XK_Down); // over the separator and the disabled entry
    EXPECT_EQ(session.levels()[0].highlight, 4);
    session.key(XK_Up);
    session.key(XK_Up);
    EXPECT_EQ(session.levels()[0].highlight, 0);
    EXPECT_EQ(previews.values, (std::vector<int>{12, 3, 1})) << "folders are not previewed";
    session.key(XK_Return);
    ASSERT_TRUE(session.chosen());
    EXPECT_EQ(session.chosen()->value, 1);
    EXPECT_FALSE(session.isOpen());
}

TEST(MenuSession, EscapeAndAClickElsewhereEndWithoutAChoice) {
    Menu menu = sample();
    MenuSession escaped(menu, kAnchor, kScreen, nullptr);
    escaped.key(XK_Escape);
    EXPECT_FALSE(escaped.isOpen());
    EXPECT_FALSE(escaped.chosen());
    MenuSession clickedAway(menu, kAnchor, kScreen, nullptr);
    clickedAway.pointerPressed({900, 900});
    EXPECT_FALSE(clickedAway.isOpen());
    EXPECT_FALSE(clickedAway.chosen());
}

TEST(MenuSession, PointerOpensFoldersAndChoosesOnRelease) {
    Menu menu = sample();
    MenuSession session(menu, kAnchor, kScreen, nullptr);
    const ViewRect& first = session.levels()[0].place;
    session.pointerMoved({first.left + 10, first.top + 1 + 20 + 10}); // "Drums"
    ASSERT_EQ(session.levels().size(), 2u);
    const ViewRect& second = session.levels()[1].place;
    ViewPoint hat{second.left + 10, second.top + 1 + 40 + 10};
    session.pointerMoved(hat);
    session.pointerPressed(hat);
    session.pointerReleased(hat);
    ASSERT_TRUE(session.chosen());
    EXPECT_EQ(session.chosen()->value, 12);
}

TEST(MenuSession, LongListsFitTheScreenAndScrollNoFurtherThanTheirEnd) {
    Menu menu;
    for (int i = 0; i < 100; ++i)
        menu.push_back(entry("Entry " + std::to_string(i), i, i == 90));
    const ViewRect screen{0, 0, 800, 402};
    MenuSession session(menu, {700, 300, 790, 314}, screen, nullptr);
    const MenuSession::Level& level = session.levels()[0];
    EXPECT_EQ(level.rows, 20);
    EXPECT_GE(level.place.top, screen.top);
    EXPECT_LE(level.place.bottom, screen.bottom);
    EXPECT_LE(level.place.right, screen.right);
    EXPECT_LE(level.top, 90);
    EXPECT_GT(level.top + level.rows, 90) << "the current entry is in view";
    session.wheel({level.place.left + 5, level.place.top + 5}, 1000);
    EXPECT_EQ(session.levels()[0].top, 80);
    session.wheel({level.place.left + 5, level.place.top + 5}, -1000);
    EXPECT_EQ(session.levels()[0].top, 0);
    for (int i = 0; i < 30; ++i)
        session.key(XK_Down);
    EXPECT_EQ(session.levels()[0].highlight, 99);
    EXPECT_EQ(session.levels()[0].top, 80) << "the highlight scrolls the list";
}

TEST(MenuSession, ShortListNearTheBottomOpensAboveItsControl) {
    Menu menu = sample();
    MenuSession session(menu, {100, 1000, 220, 1014}, kScreen, nullptr);
    EXPECT_EQ(session.levels()[0].place.bottom, 1000);
}

} // namespace
} // namespace trommik2
