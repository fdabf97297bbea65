#pragma once

namespace trommik2 {

// The tags of the editor's controls (0..204): what names a control to its
// listener, and the key of the parameter and hint tables. Row controls of
// track t have the first tag of their column plus t.
enum ControlTag : int {
    kTagUpperBackground = 0,
    kTagLowerBackground = 1,
    kTagLogo = 2,
    kTagClose = 3,
    kTagHelp = 4,
    kTagPlay = 6,
    kTagStop = 7,
    kTagEditMode = 8,
    kTagSetupPrevious = 9,
    kTagSetupNext = 10,
    kTagSetupMenu = 11,
    kTagSetupSave = 12,
    kTagMaster = 13,
    // The knobs: six assignable, then the four effect knobs.
    kTagFirstKnob = 14,
    kTagFirstEffectKnob = 20,
    // 24, 25: the step grid and the automation view.
    kTagFirstBar = 26,
    kTagAllBars = 30,
    kTagFirstLamp = 31,
    kTagSteps = 35,
    kTagBars = 36,
    kTagShuffle = 37,
    kTagCopy = 38,
    kTagFollow = 39,
    kTagPreview = 40,
    kTagInstrumentSave = 41,
    kTagKitPrevious = 42,
    kTagKitNext = 43,
    kTagKitSave = 44,
    kTagKitMenu = 45,
    kTagPatternPrevious = 46,
    kTagPatternNext = 47,
    kTagPatternSave = 48,
    kTagPatternMenu = 49,
    kTagClearPattern = 50,
    kTagClearTrack = 51,
    kTagMix = 52,
    kTagSampleMenu = 53,
    kTagSynthesisMenu = 54,
    kTagEffectMenu = 55,
    kTagEffect = 56,
    // 57..62: random amount, automation reset, modes and scale (the automation view's).
    kTagStatus = 63,
    kTagFirstMarker = 64,
    kTagFirstMute = 69,
    kTagFirstSolo = 85,
    kTagFirstPrevious = 101,
    kTagFirstNext = 117,
    kTagFirstMenu = 133,
    kTagFirstName = 149,
    kTagAfterRows = 165,
    // The knob slots' companions: indicators of slots 0..5, assignment menus,
    // automate switches of all ten slots, value labels of slots 0..5, the
    // effect knobs' name and value labels, and indicators of slots 6..9.
    kTagFirstIndicator = 165,
    kTagFirstAssignMenu = 171,
    kTagFirstAutomate = 177,
    kTagFirstValueLabel = 187,
    kTagFirstEffectName = 193,
    kTagFirstEffectValue = 197,
    kTagFirstEffectIndicator = 201,
};

} // namespace trommik2
