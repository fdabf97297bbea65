// The front panel in the offscreen rig: a real drum machine, a scripted window.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "EditorPanelTest.h"
#include "editor/FrameStripDisplay.h"
#include "editor/MomentaryButton.h"
#include "editor/MultiSwitch.h"
#include "editor/SkinSlider.h"
#include "editor/TextMenu.h"
#include "editor/ToggleSwitch.h"
#include "editor/TrackNameField.h"

namespace trommik2 {
namespace {

using FrontPanelTest = EditorPanelTest;

TEST_F(FrontPanelTest, BarButtonsLengthenThePatternAndSetTheMarkers) {
    struct Case {
        int bars;
        char key;
        int barsAfter, first, count;
        std::array<int, 4> digits;
        int lit; // bar button 0..3, 4 for "all", -1 none
    };
    const Case cases[] = {
        {1, '3', 4, 2, 1, {3, 0, 0, 0}, 2}, // bar 3 of one bar: four bars, not three
        {1, '2', 2, 1, 1, {2, 0, 0, 0}, 1}, {1, '4', 4, 3, 1, {4, 0, 0, 0}, 3}, {2, '0', 2, 0, 2, {1, 0, 2, 0}, 4},
        {4, '0', 4, 0, 4, {1, 2, 3, 4}, 4}, {4, '1', 4, 0, 1, {1, 0, 0, 0}, 0}, {1, '0', 1, 0, 1, {1, 0, 0, 0}, 4},
    };
    for (const Case& c : cases) {
        rig.machine.sequencer().setBars(c.bars);
        press(XK_0 + (c.key - '0'), static_cast<uint32_t>(c.key));
        SCOPED_TRACE(std::string("bars ") + std::to_string(c.bars) + ", key " + c.key);
        EXPECT_EQ(rig.machine.sequencer().bars(), c.barsAfter);
        EXPECT_EQ(editor.bars()->first(), c.first);
        EXPECT_EQ(editor.bars()->count(), c.count);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(shownDigit(k), c.digits[k]) << "marker " << k;
        for (int b = 0; b < 5; ++b)
            EXPECT_EQ(panel().barButtons[b]->lit(), b == c.lit) << "button " << b;
        EXPECT_FLOAT_EQ(panel().bars->value(), c.barsAfter == 1 ? 0.0f : c.barsAfter == 2 ? 0.5f : 1.0f);
    }
}

TEST_F(FrontPanelTest, BarCountSwitchKeepsAllBarsShown) {
    press(XK_0, '0');
    drag({{616, 110}, {616, 150}, {616, 170}}); // two picture heights down: four bars
    EXPECT_EQ(rig.machine.sequencer().bars(), 4);
    EXPECT_EQ(editor.bars()->count(), 4);
    editor.window->advance(1000); // not a double click, which restores the default
    click({595, 110});            // one bar
    EXPECT_EQ(rig.machine.sequencer().bars(), 1);
    EXPECT_EQ(editor.bars()->count(), 1);
    EXPECT_EQ(editor.bars()->first(), 0);
}

TEST_F(FrontPanelTest, DraggingAMuteSwitchPaintsItOverTheRowsItCrosses) {
    drag({rowPoint(40, 2), rowPoint(40, 3), rowPoint(41, 4), rowPoint(40, 5), rowPoint(40, 6)});
    for (int t = 0; t < 16; ++t) {
        const float expected = t >= 2 && t <= 6 ? 1.0f : 0.0f;
        EXPECT_EQ(rig.machine.getParameter(kParamMuteFirst + t), expected) << "track " << t;
        EXPECT_EQ(panel().rows[t].mute->value(), expected) << "track " << t;
    }
    // Solo switches paint the same way.
    drag({rowPoint(55, 1), rowPoint(55, 2)});
    EXPECT_EQ(rig.machine.getParameter(kParamSoloFirst + 1), 1.0f);
    EXPECT_EQ(rig.machine.getParameter(kParamSoloFirst + 2), 1.0f);
    EXPECT_EQ(editor.selectedTrack(), 1) << "a solo switch selects its track";
}

TEST_F(FrontPanelTest, DroppingANameOnAnotherExchangesTheInstrumentsAndSelectsTheTarget) {
    rig.machine.bank().track(0).name = "Kick";
    rig.machine.bank().track(3).name = "Snare";
    const std::string first = rig.display(kDisplayInstrumentNameFirst);
    const std::string fourth = rig.display(kDisplayInstrumentNameFirst + 3);
    ASSERT_NE(first, fourth);
    drag({rowPoint(150, 0), rowPoint(150, 1), rowPoint(150, 2), rowPoint(150, 3)});
    EXPECT_EQ(rig.display(kDisplayInstrumentNameFirst), fourth);
    EXPECT_EQ(rig.display(kDisplayInstrumentNameFirst + 3), first);
    EXPECT_EQ(editor.selectedTrack(), 3);
    EXPECT_EQ(rig.machine.getParameter(kParamSelectTrack), 3.0f);
    EXPECT_EQ(panel().rows[3].name->text(), first);
    for (const TrackRow& row : panel().rows)
        EXPECT_EQ(row.name->colour().b, skin::kText.b) << "every name back in the normal colour";
    EXPECT_EQ(editor.window->cursor, 0);

    // Within the ±2 pixel box nothing is dragged; released over the own row nothing changes.
    drag({rowPoint(150, 3), {152, 236}, rowPoint(150, 3)});
    EXPECT_EQ(rig.display(kDisplayInstrumentNameFirst + 3), first);
}

TEST_F(FrontPanelTest, SelectedRowIsShadedAndTheOthersAlternate) {
    press(XK_Down);
    press(XK_Down);
    EXPECT_EQ(editor.selectedTrack(), 2);
    for (int t = 0; t < 16; ++t) {
        const int shade = t == 2 ? 2 : t % 2;
        EXPECT_EQ(panel().rows[t].name->backgroundOffset().y, shade * 20) << t;
        EXPECT_EQ(panel().rows[t].mute->backgroundOffset().y, shade * 40) << t;
    }
    press(XK_Up);
    press(XK_Up);
    press(XK_Up);
    EXPECT_EQ(editor.selectedTrack(), 0) << "no track above the first";
}

TEST_F(FrontPanelTest, KeysDriveTransportTracksAndModes) {
    press(XK_space, ' ');
    EXPECT_EQ(rig.host().messages.back(), "PLAY");
    renderPlaying();
    press(XK_space, ' ');
    EXPECT_EQ(rig.host().messages.back(), "STOP");

    press(XK_m, 'm');
    press(XK_s, 's');
    EXPECT_EQ(rig.machine.getParameter(kParamMuteFirst), 1.0f);
    EXPECT_EQ(rig.machine.getParameter(kParamSoloFirst), 1.0f);
    EXPECT_EQ(panel().rows[0].mute->value(), 1.0f);
    press(XK_a, 'a');
    EXPECT_TRUE(editor.copyMode());
    EXPECT_EQ(panel().copy->value(), 1.0f);
    press(XK_f, 'f');
    EXPECT_EQ(panel().follow->value(), 1.0f);
    press(XK_KP_Add);
    EXPECT_EQ(editor.visibleSteps(), 32);
    press(XK_KP_Subtract);
    press(XK_KP_Subtract);
    press(XK_KP_Subtract);
    EXPECT_EQ(editor.visibleSteps(), 8);
    EXPECT_EQ(panel().steps->value(), 0.0f);
}

TEST_F(FrontPanelTest, PlayButtonLampsAndFollowShowThePlayingHost) {
    panel().follow->setValue(1.0f);
    rig.machine.sequencer().setBars(2);
    press(XK_1, '1');
    renderPlaying();
    editor.window->advance(EditorWindow::kIdleInterval);
    editor.idle();
    EXPECT_GT(panel().play->value(), 0.0f);
    EXPECT_EQ(panel().lamps[0]->value(), 1.0f);
    EXPECT_EQ(panel().lamps[1]->value(), 0.0f);
    // One bar asked for while following playback: following stops.
    press(XK_2, '2');
    EXPECT_EQ(panel().follow->value(), 0.0f);
    EXPECT_EQ(editor.bars()->first(), 1);
}

TEST_F(FrontPanelTest, ClearButtonsEmptyTheSelectedTrackOrAll) {
    for (int t : {0, 5}) {
        rig.machine.sequencer().track(t).setStep(4, 100);
        rig.machine.sequencer().track(t).setAutomationPoint(OutPan, 4, 0.5f);
        rig.machine.sequencer().track(t).setAutomationScale(OutPan, 0.3f);
    }
    click(rowPoint(150, 5));
    click({476, 139});
    EXPECT_EQ(rig.machine.sequencer().track(5).velocity(4), 0);
    EXPECT_FALSE(rig.machine.sequencer().track(5).hasAutomation(OutPan));
    EXPECT_EQ(rig.machine.sequencer().track(5).automationScale(OutPan), 1.0f);
    EXPECT_EQ(rig.machine.sequencer().track(0).velocity(4), 100) << "another track keeps its steps";
    click({526, 139});
    EXPECT_FALSE(rig.machine.sequencer().track(0).hasSteps());
}

TEST_F(FrontPanelTest, KitMenuPreviewsAndEscapeRestoresTheStateByteForByte) {
    rig.saveKit("Alpha", 0.2f);
    rig.saveKit("Beta", 0.5f);
    rig.saveKit("Gamma", 0.8f);
    ASSERT_TRUE(rig.machine.contentLibrary().loadFile(
        kContentDrumkits, rig.machine.contentFolders().pathOf("Alpha.tm2drk", kContentDrumkits)));
    const std::string before = rig.state();
    editor.window->menuKeys = {XK_Down, XK_Down, XK_Escape};
    std::vector<std::string> previewed;
    editor.window->afterMenuKey = [&] { previewed.push_back(rig.display(kDisplayKitName)); };
    click({150, 139});
    editor.window->afterMenuKey = nullptr;
    ASSERT_EQ(previewed.size(), 3u);
    EXPECT_EQ(previewed[0], "Beta") << "each highlight is loaded to be heard";
    EXPECT_EQ(previewed[1], "Gamma");
    EXPECT_EQ(rig.display(kDisplayKitName), "Alpha");
    ASSERT_EQ(editor.window->menus.size(), 1u);
    const ScriptedWindow::ShownMenu& shown = editor.window->menus.back();
    ASSERT_GE(shown.highlight, 0);
    EXPECT_EQ(shown.entries[shown.highlight].text, "Alpha") << "the current kit is marked and highlighted";
    EXPECT_EQ(rig.state(), before);

    editor.window->menuKeys = {XK_Down, XK_Return};
    click({150, 139});
    EXPECT_EQ(rig.display(kDisplayKitName), "Beta");
    EXPECT_EQ(panel().kitMenu->text(), "Beta");
    EXPECT_NE(rig.state(), before);
}

TEST_F(FrontPanelTest, DocumentsLoadedElsewhereShowOnThePanel) {
    // Loaded as a host's command would: the machine's refresh reaches the panel.
    rig.machine.bank().track(2).name = "Tom";
    rig.saveKit("Alpha", 0.2f);
    rig.machine.bank().track(2).name = "Cowbell";
    ASSERT_TRUE(rig.machine.contentLibrary().loadFile(
        kContentDrumkits, rig.machine.contentFolders().pathOf("Alpha.tm2drk", kContentDrumkits)));
    EXPECT_EQ(panel().kitMenu->text(), "Alpha");
    EXPECT_EQ(panel().rows[2].name->text(), "Tom");

    rig.machine.setParameter(kParamShuffle, 0.4f);
    rig.machine.sequencer().setBars(2);
    rig.machine.notifyEditor(kRefreshShuffleAndBars, 0.0f);
    EXPECT_FLOAT_EQ(panel().shuffle->value(), 0.4f);
    EXPECT_FLOAT_EQ(panel().bars->value(), 0.5f);
}

TEST_F(FrontPanelTest, RowMenuSelectsItsTrackAndAnEmptyPickerSaysNoneIsSelected) {
    editor.window->menuKeys = {XK_Escape};
    click(rowPoint(230, 7));
    EXPECT_EQ(editor.selectedTrack(), 7);
    panel().patternMenu->setCurrent("");
    EXPECT_EQ(panel().patternMenu->text(), TextMenu::kNoneSelected);
}

} // namespace
} // namespace trommik2
