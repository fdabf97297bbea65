#include "FrontPanel.h"

#include <memory>

#include <trommik2/control_ids.h>

#include "ControlTags.h"
#include "FrameKnob.h"
#include "FrameStripDisplay.h"
#include "LevelMeter.h"
#include "MomentaryButton.h"
#include "MultiSwitch.h"
#include "PanelView.h"
#include "PreviewButton.h"
#include "SkinBitmapSet.h"
#include "SkinSlider.h"
#include "TextLabel.h"
#include "TextMenu.h"
#include "ToggleSwitch.h"
#include "TrackNameField.h"

namespace trommik2 {

namespace {

constexpr int kRowTop = 164;
constexpr int kRowHeight = 20;
constexpr int kMeterSegments = 12;

template <typename Control, typename... Args>
Control* place(PanelView& panel, Args&&... args) {
    return panel.add(std::make_unique<Control>(std::forward<Args>(args)...));
}

ViewRect rowRect(int left, int right, int track) {
    return {left, kRowTop + kRowHeight * track, right, kRowTop + kRowHeight * (track + 1)};
}

} // namespace

FrontPanel::FrontPanel(PanelView& upper, PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                       ListProvider* lists) {
    addTransport(upper, bitmaps, listener, lists);
    addPickers(upper, bitmaps, listener, lists);
    addBars(upper, bitmaps, listener);
    addRows(upper, bitmaps, listener, lists);
    addLower(lower, bitmaps, listener, lists);
}

void FrontPanel::addTransport(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener,
                              ListProvider* lists) {
    place<MomentaryButton>(upper, ViewRect{846, 8, 872, 31}, listener, kTagHelp, bitmaps.get(55));
    play = place<FrameStripDisplay>(upper, ViewRect{719, 8, 773, 61}, listener, kTagPlay, bitmaps.get(4));
    play->setClickable(true);
    place<MomentaryButton>(upper, ViewRect{779, 8, 833, 61}, listener, kTagStop, bitmaps.get(5));
    place<MomentaryButton>(upper, ViewRect{574, 8, 602, 38}, listener, kTagSetupPrevious, bitmaps.get(7));
    place<MomentaryButton>(upper, ViewRect{607, 8, 635, 38}, listener, kTagSetupNext, bitmaps.get(8));
    setupMenu =
        place<TextMenu>(upper, ViewRect{329, 10, 542, 36}, listener, kTagSetupMenu, nullptr, lists, kControlSetupMenu);
    setupMenu->setFont(11, true);
    place<MomentaryButton>(upper, ViewRect{655, 8, 683, 38}, listener, kTagSetupSave, bitmaps.get(9));
    master = place<FrameKnob>(upper, ViewRect{252, 17, 279, 44}, listener, kTagMaster, bitmaps.get(10));
    master->setDefaultValue(0.875f); // 0 dB
    meters[0] = place<LevelMeter>(upper, ViewRect{304, 8, 309, 32}, bitmaps.get(51), bitmaps.get(52), kMeterSegments);
    meters[1] = place<LevelMeter>(upper, ViewRect{312, 8, 317, 32}, bitmaps.get(51), bitmaps.get(52), kMeterSegments);
}

void FrontPanel::addPickers(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener,
                            ListProvider* lists) {
    place<MomentaryButton>(upper, ViewRect{67, 133, 79, 146}, listener, kTagKitPrevious, bitmaps.get(32));
    place<MomentaryButton>(upper, ViewRect{79, 133, 92, 146}, listener, kTagKitNext, bitmaps.get(33));
    place<MomentaryButton>(upper, ViewRect{43, 132, 59, 148}, listener, kTagKitSave, bitmaps.get(34));
    kitMenu =
        place<TextMenu>(upper, ViewRect{95, 133, 218, 146}, listener, kTagKitMenu, nullptr, lists, kControlDrumkitMenu);
    place<MomentaryButton>(upper, ViewRect{280, 133, 292, 146}, listener, kTagPatternPrevious, bitmaps.get(35));
    place<MomentaryButton>(upper, ViewRect{292, 133, 305, 146}, listener, kTagPatternNext, bitmaps.get(36));
    place<MomentaryButton>(upper, ViewRect{256, 132, 272, 148}, listener, kTagPatternSave, bitmaps.get(37));
    patternMenu = place<TextMenu>(upper, ViewRect{308, 133, 431, 146}, listener, kTagPatternMenu, nullptr, lists,
                                  kControlPatternMenu);
    place<MomentaryButton>(upper, ViewRect{520, 133, 533, 146}, listener, kTagClearPattern, bitmaps.get(38));
    place<MomentaryButton>(upper, ViewRect{470, 133, 483, 146}, listener, kTagClearTrack, bitmaps.get(39));
}

void FrontPanel::addBars(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener) {
    for (int k = 0; k < 4; ++k) {
        const int x = 309 + 30 * k;
        barButtons[k] = place<MomentaryButton>(upper, ViewRect{x, 96, x + 17, 113}, listener, kTagFirstBar + k,
                                               bitmaps.get(17 + k));
        lamps[k] = place<FrameStripDisplay>(upper, ViewRect{x + 3, 83, x + 14, 94}, listener, kTagFirstLamp + k,
                                            bitmaps.get(53));
        markers[k] = place<FrameStripDisplay>(upper, ViewRect{237 + 160 * k, 152, 246 + 160 * k, 163}, listener,
                                              kTagFirstMarker + k, bitmaps.get(47));
        lamps[k]->setMouseEnabled(false);
        markers[k]->setMouseEnabled(false);
    }
    barButtons[4] = place<MomentaryButton>(upper, ViewRect{429, 96, 455, 113}, listener, kTagAllBars, bitmaps.get(21));
    steps = place<MultiSwitch>(upper, ViewRect{774, 99, 837, 131}, listener, kTagSteps, bitmaps.get(13));
    steps->setDefaultValue(0.5f);
    bars = place<MultiSwitch>(upper, ViewRect{585, 99, 648, 131}, listener, kTagBars, bitmaps.get(46));
    bars->setDefaultValue(0.5f);
    shuffle = place<SkinSlider>(upper, ViewRect{664, 99, 759, 131}, listener, kTagShuffle, bitmaps.get(41),
                                SliderStyle::Horizontal);
    shuffle->setClickAnywhere(true);
    copy = place<ToggleSwitch>(upper, ViewRect{485, 96, 530, 113}, listener, kTagCopy, bitmaps.get(14));
    follow = place<ToggleSwitch>(upper, ViewRect{246, 88, 291, 105}, listener, kTagFollow, bitmaps.get(29));
}

void FrontPanel::addRows(PanelView& upper, const SkinBitmapSet& bitmaps, ControlListener* listener,
                         ListProvider* lists) {
    for (int t = 0; t < kTracks; ++t) {
        TrackRow& row = rows[t];
        row.mute = place<ToggleSwitch>(upper, rowRect(34, 48, t), listener, kTagFirstMute + t, bitmaps.get(22));
        row.solo = place<ToggleSwitch>(upper, rowRect(48, 64, t), listener, kTagFirstSolo + t, bitmaps.get(23));
        row.mute->setDragMode(true);
        row.solo->setDragMode(true);
        row.previous =
            place<MomentaryButton>(upper, rowRect(64, 80, t), listener, kTagFirstPrevious + t, bitmaps.get(24));
        row.next = place<MomentaryButton>(upper, rowRect(80, 95, t), listener, kTagFirstNext + t, bitmaps.get(25));
        row.menu = place<TextMenu>(upper, rowRect(218, 241, t), listener, kTagFirstMenu + t, bitmaps.get(26), lists,
                                   kControlInstrumentMenu);
        row.menu->setGlyph("\u25BE");
        row.name = place<TrackNameField>(upper, rowRect(95, 218, t), listener, kTagFirstName + t, bitmaps.get(27));
    }
}

void FrontPanel::addLower(PanelView& lower, const SkinBitmapSet& bitmaps, ControlListener* listener,
                          ListProvider* lists) {
    preview = place<PreviewButton>(lower, ViewRect{29, 98, 56, 125}, listener, kTagPreview, bitmaps.get(30));
    place<MomentaryButton>(lower, ViewRect{29, 139, 56, 166}, listener, kTagInstrumentSave, bitmaps.get(31));
    mix = place<SkinSlider>(lower, ViewRect{234, 100, 248, 165}, listener, kTagMix, bitmaps.get(40),
                            SliderStyle::Vertical);
    mix->setDefaultValue(0.5f);
    sampleMenu = place<TextMenu>(lower, ViewRect{66, 100, 207, 114}, listener, kTagSampleMenu, nullptr, lists,
                                 kControlSampleMenu);
    synthesisMenu = place<TextMenu>(lower, ViewRect{66, 151, 207, 165}, listener, kTagSynthesisMenu, nullptr, lists,
                                    kControlSynthesisTypeMenu);
    effectMenu = place<TextMenu>(lower, ViewRect{706, 161, 866, 173}, listener, kTagEffectMenu, nullptr, lists,
                                 kControlEffectTypeMenu);
    effect = place<ToggleSwitch>(lower, ViewRect{668, 159, 692, 174}, listener, kTagEffect, bitmaps.get(44));
    status = place<TextLabel>(lower, ViewRect{37, 64, 237, 79}, kTagStatus);
    status->setMouseEnabled(false);
    status->setColour(skin::kAccent);
}

} // namespace trommik2
