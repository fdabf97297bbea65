/* The numbers through which a Trommik2 plug-in, its editor and its hosts talk:
 * plug-in parameters beyond the 59 instrument parameters (setParameter and
 * getParameter of the effect record), the editor's refresh notifications, the
 * controls that fill menus and take commands, and the content kinds.
 *
 * Threads: every parameter is written and read on the user-interface thread,
 * except the host tempo and position, which the audio thread writes before each
 * block, and the track triggers, which any thread may write. */
#ifndef TROMMIK2_CONTROL_IDS_H
#define TROMMIK2_CONTROL_IDS_H

#ifdef __cplusplus
extern "C" {
#endif

enum Trommik2Control {
    /* Written 0.0: close the editor and its window. As a refresh: the assignable knobs. */
    kControlCloseEditor = 5000,
    kRefreshKnobs = 5000,
    /* Refresh notifications to the editor's controls. */
    kRefreshEffect = 5001,
    kRefreshSampleAndSynthesis = 5002,
    kRefreshShuffleAndBars = 5003,
    kRefreshInstruments = 5004,
    kRefreshPattern = 5005,
    kRefreshEverything = 5006,

    kParamMasterVolume = 10000, /* 48 x value - 42 dB */
    kParamSelectTrack = 10001,  /* the track number, not normalised */
    /* The menus of the assignable knob slots 0..9 (the editor shows six). */
    kControlFirstKnobSlot = 10002,
    kControlLastKnobSlot = 10011,
    kControlLastAssignableKnob = 10007,
    kControlEffectTypeMenu = 10013,
    kControlSynthesisTypeMenu = 10014,
    kParamShuffle = 10015, /* percent x 0.01 */
    kParamMeterLeft = 10017,
    kParamMeterRight = 10018,
    /* The value names a content kind. */
    kParamSaveWithDialog = 10019,
    kParamBrowsePrevious = 10020,
    kParamBrowseNext = 10021,
    kParamAudition = 10022, /* trigger the selected track with this velocity */
    kControlInstrumentMenu = 10023,
    kControlDrumkitMenu = 10024,
    kControlPatternMenu = 10025,
    kControlSetupMenu = 10026,
    kControlSampleMenu = 10027,
    kParamMuteFirst = 10028, /* 16 tracks */
    kParamSoloFirst = 10044, /* 16 tracks */
    /* Display texts: track names, then the setup, kit, pattern and sample names. */
    kDisplayInstrumentNameFirst = 10060,
    kDisplaySetupName = 10076,
    kDisplayKitName = 10077,
    kDisplayPatternName = 10078,
    kDisplaySampleName = 10079,
    kParamResetModulation = 10080, /* the value names the parameter */

    /* Hosts of our own (standalone, LV2, MIDI): value = velocity (0..1], the hit
     * sounds at the start of the next rendered block. Any thread, lock-free. */
    kParamTriggerTrackFirst = 10100, /* 16 tracks */

    kParamHostTempo = 99998,
    kParamHostPosition = 99999
};

enum Trommik2ContentKind {
    kContentInstruments = 21000,
    kContentDrumkits = 21001,
    kContentPatterns = 21002,
    kContentSetups = 21003,
    kContentSamples = 21004
};

#ifdef __cplusplus
}
#endif

#endif
