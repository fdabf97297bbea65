// The editor as a host meets it: operation 3 under a display of the test's own,
// the idle contract through the effect record, input through XTEST.
#include "EditorHost.h"

namespace trommik2 {
namespace {

TEST_F(EditorHost, OpensOneWrapperAtTheRememberedPlaceAndClosesIt) {
    writeConfiguration("[Editor]\nWndPosX=40\nWndPosY=30\n");
    open();
    ASSERT_EQ(module.entry(3, &context), 1);
    idle(200);
    ASSERT_EQ(wrappers().size(), 1u);
    Window wrapper = wrappers()[0];
    EXPECT_EQ(static_cast<uintptr_t>(wrapper), context.editorWindow);
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(display, wrapper, &hint));
    EXPECT_STREQ(hint.res_class, "ZelkVstWrapper");
    XFree(hint.res_name);
    XFree(hint.res_class);
    Window transientFor = 0;
    EXPECT_TRUE(XGetTransientForHint(display, wrapper, &transientFor));
    EXPECT_EQ(transientFor, hostWindow);
    Place p = place(wrapper);
    EXPECT_EQ((std::vector<int>{p.x, p.y, p.width, p.height}), (std::vector<int>{40, 30, 916, 671}));

    EXPECT_EQ(module.entry(3, &context), 1);
    idle(100);
    EXPECT_EQ(wrappers().size(), 1u) << "a second open leaves one window";

    codes().clear();
    EXPECT_EQ(module.entry(4, &context), 1);
    EXPECT_TRUE(wrappers().empty());
    EXPECT_EQ(context.editorWindow, 0u);
    EXPECT_EQ(codes(), (std::vector<int32_t>{8, 7})) << "'DRAW' then 'RACC'";
    std::string settings = configuration();
    for (const char* key : {"Editmode=true", "WndPosX=40", "WndPosY=30"})
        EXPECT_NE(settings.find(key), std::string::npos) << key << " in\n" << settings;
}

TEST_F(EditorHost, ToggleShrinksTheWrapperAndADragMovesItForTheNextOpen) {
    open();
    ASSERT_EQ(module.entry(3, &context), 1);
    idle(200);
    auto wrapper = static_cast<Window>(context.editorWindow);
    clickAt(60, 57);
    EXPECT_EQ(place(wrapper).height, 72);
    clickAt(60, 57);
    EXPECT_EQ(place(wrapper).height, 671);

    // From a bare spot of the panel.
    play({{A::Move, 180, 100},
          {A::Wait, 80},
          {A::Press, 1},
          {A::Wait, 150},
          {A::Move, 210, 110},
          {A::Wait, 60},
          {A::Move, 240, 140},
          {A::Wait, 150},
          {A::Release, 1},
          {A::Wait, 80}});
    EXPECT_EQ(place(wrapper).x, 60);
    EXPECT_EQ(place(wrapper).y, 40);
    module.entry(4, &context);
    ASSERT_EQ(module.entry(3, &context), 1);
    idle(100);
    Place p = place(static_cast<Window>(context.editorWindow));
    EXPECT_EQ((std::vector<int>{p.x, p.y}), (std::vector<int>{60, 40}));
}

TEST_F(EditorHost, ItsOwnCloseButtonTakesTheWrapperAlong) {
    open();
    ASSERT_EQ(module.entry(3, &context), 1);
    idle(200);
    codes().clear();
    clickAt(890, 20);
    EXPECT_TRUE(wrappers().empty());
    EXPECT_EQ(context.editorWindow, 0u);
    EXPECT_EQ(codes(), (std::vector<int32_t>{8, 7}));
}

TEST_F(EditorHost, WithoutADisplayNoEditorOpens) {
    open();
    std::string name = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    auto* effect = static_cast<AEffect*>(context.plugin);
    int32_t flags = effect->flags;
    EXPECT_EQ(module.entry(3, &context), 0);
    setenv("DISPLAY", name.c_str(), 1);
    EXPECT_EQ(context.editorWindow, 0u);
    EXPECT_EQ(effect->flags, flags);
    EXPECT_TRUE(codes().empty());
    EXPECT_TRUE(wrappers().empty());
}

} // namespace
} // namespace trommik2
