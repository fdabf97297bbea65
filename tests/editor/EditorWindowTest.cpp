#include <gtest/gtest.h>

#include "MachineRig.h"
#include "support/VersionText.h"

namespace trommik2 {
namespace {

class EditorWindowTest : public ::testing::Test {
  protected:
    void click(ViewPoint at, int buttons = kMouseLeft) {
        editor.window->script({at, buttons}, {});
        editor.frame()->mouseDown(at, buttons);
    }
    void hover(ViewPoint at) {
        editor.window->script({at, 0}, {});
        editor.window->advance(EditorWindow::kIdleInterval);
        editor.idle();
    }
    Configuration configuration() const { return rig.configuration(); }
    std::string display(int index) {
        char text[260] = {};
        rig.machine.getParameterDisplay(index, text);
        return text;
    }

    MachineRig<OffscreenEditor> rig{"trommik2-editor"};
    OffscreenEditor& editor = *rig.editor;
    HostLog& host = rig.host();
};

TEST_F(EditorWindowTest, RectangleComesFromTheRememberedPlaceAndMode) {
    ERect* rect = nullptr;
    ASSERT_TRUE(editor.getRect(&rect));
    EXPECT_EQ((std::vector<int>{rect->left, rect->top, rect->right, rect->bottom}), (std::vector<int>{0, 0, 916, 671}));

    configuration().writeInt("Editor", "WndPosX", 300);
    configuration().writeInt("Editor", "WndPosY", 200);
    configuration().writeBool("Editor", "Editmode", false);
    OffscreenEditor compact(&rig.machine);
    ASSERT_TRUE(compact.getRect(&rect));
    EXPECT_EQ((std::vector<int>{rect->left, rect->top, rect->right, rect->bottom}),
              (std::vector<int>{300, 200, 1216, 272}));
    ASSERT_TRUE(compact.open(0));
    EXPECT_EQ(compact.window->size, (ViewRect{0, 0, 916, 72}));
    EXPECT_EQ(compact.window->focusRequests, 1);
}

TEST_F(EditorWindowTest, ToggleButtonAndKeySwitchBetweenFullAndCompact) {
    ASSERT_TRUE(editor.open(0));
    EXPECT_TRUE(editor.editMode());
    click({60, 57});
    EXPECT_FALSE(editor.editMode());
    EXPECT_EQ(editor.window->size, (ViewRect{0, 0, 916, 72}));
    editor.frame()->keyDown({'e', 'e', 0});
    EXPECT_TRUE(editor.editMode());
    EXPECT_EQ(host.sizes, (std::vector<std::pair<int, int>>{{916, 671}, {916, 72}, {916, 671}}));
}

TEST_F(EditorWindowTest, BareBackgroundAndLogoDragTheWindow) {
    ASSERT_TRUE(editor.open(0));
    for (ViewPoint at : {ViewPoint{500, 70}, ViewPoint{500, 600}, ViewPoint{100, 30}})
        click(at);
    EXPECT_EQ(editor.window->drags, 3);
    click({890, 20}, kMouseRight);
    click({500, 70}, kMouseRight);
    EXPECT_EQ(editor.window->drags, 3) << "only the left button drags";
}

TEST_F(EditorWindowTest, FocusChangesTellTheHost) {
    ASSERT_TRUE(editor.open(0));
    editor.frame()->focusChanged(true);
    editor.frame()->focusChanged(false);
    EXPECT_EQ(host.messages, (std::vector<std::string>{"DACC", "RACC"}));
}

TEST_F(EditorWindowTest, CloseSavesModeAndPlaceBetweenDrawAndRelease) {
    ASSERT_TRUE(editor.open(0));
    click({60, 57});
    editor.close();
    EXPECT_FALSE(editor.isOpen());
    EXPECT_EQ(host.messages, (std::vector<std::string>{"DRAW", "RACC"}));
    bool mode = true;
    int x = 0, y = 0;
    configuration().readBool("Editor", "Editmode", &mode);
    configuration().readInt("Editor", "WndPosX", &x);
    configuration().readInt("Editor", "WndPosY", &y);
    EXPECT_FALSE(mode);
    EXPECT_EQ(x, 120);
    EXPECT_EQ(y, 80);
    editor.idle();
    EXPECT_EQ(host.windowCloses, 0) << "a close from the host leaves the host's window to it";
}

TEST_F(EditorWindowTest, CloseButtonClosesAfterItsGestureAtTheNextIdle) {
    ASSERT_TRUE(editor.open(0));
    click({890, 20});
    EXPECT_TRUE(editor.isOpen()) << "the button's handler is still running when the plug-in asks";
    editor.idle();
    EXPECT_FALSE(editor.isOpen());
    EXPECT_EQ(host.messages, (std::vector<std::string>{"DRAW", "RACC"}));
    EXPECT_EQ(host.windowCloses, 1);
}

TEST_F(EditorWindowTest, StatusLineHintsFollowTheMouse) {
    ASSERT_TRUE(editor.open(0));
    const std::pair<ViewPoint, std::string> hints[] = {{{100, 30}, versionText()},
                                                       {{890, 20}, "Close editor"},
                                                       {{60, 57}, "Toggle editor"},
                                                       {{500, 70}, display(10060)}};
    for (const auto& [at, text] : hints) {
        hover(at);
        EXPECT_EQ(editor.statusText(), text);
    }
}

} // namespace
} // namespace trommik2
