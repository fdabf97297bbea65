#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "BarDisplay.h"
#include "ControlListener.h"
#include "EditorFrame.h"
#include "FrameHost.h"
#include "FrontPanel.h"
#include "InstrumentPanel.h"
#include "LanePanel.h"
#include "SampleDrop.h"
#include "SchematicOverlay.h"
#include "SkinBitmapSet.h"
#include "TagTables.h"
#include "TrackRows.h"
#include "ViewHost.h"
#include "core/effect/AEffect.h"
#include "core/effect/EffectEditor.h"
#include "support/Configuration.h"
#include "support/HelpViewer.h"

namespace trommik2 {

class DrumMachine;
class Dialogs;
class SkinControl;

// The plug-in's editor: a frame of 916 × 671 pixels (or the 916 × 72 strip of
// the compact editor) with the upper and the lower panel and their controls.
// It edits the drum machine through its parameters, its menus and its pattern,
// and talks to the host through the machine's host messages. Its window is a
// child of whatever X window it is opened on: the host binding's wrapper or a
// host's own window. Settings live in the machine's configuration file.
//
// Idle contract: while the editor is open its owner calls idle() from the
// user-interface thread at least every 40 ms (a host through the effect's
// dispatcher, opcode 19). Each call takes in the module's X events; the idle
// work (meters, lamps, hints) runs at most every 40 ms.
//
// While open, the editor's dialogs are the process's (Dialogs::current()).
// All operations: user-interface thread.
class EditorWindow : public EffectEditor, public ControlListener, private FrameHost, private ViewHost {
  public:
    static constexpr int kWidth = 916;
    static constexpr int kFullHeight = 671;
    static constexpr int kCompactHeight = 72;
    static constexpr int kUpperHeight = 488;
    static constexpr uint64_t kIdleInterval = 40;

    explicit EditorWindow(DrumMachine* machine);
    ~EditorWindow() override;

    // The remembered screen position with the size of the current mode.
    bool getRect(ERect** rect) override;
    // False without a display or when the parent is no window.
    bool open(uintptr_t parentWindow) override;
    // Asked for while the editor handles input (its own close button), the
    // close waits for the next idle call and then closes the host's window too.
    void close() override;
    // The host's periodic call while the editor is open.
    void idle() override;
    // The machine's refresh notifications (5000..5006).
    void setParameter(int32_t index, float value) override;
    bool setKnobMode(int32_t mode) override;
    uintptr_t systemWindow() const override;
    void focus() override;

    void valueChanged(SkinControl* control) override;
    void controlDragged(SkinControl* control, ViewPoint where, bool released) override;

    bool isOpen() const { return frame_ != nullptr; }
    // True for the full editor, false for the compact strip.
    bool editMode() const { return editMode_; }
    EditorFrame* frame() const { return frame_.get(); }
    // The controls while open (null when closed).
    FrontPanel* panel() const { return panel_.get(); }
    InstrumentPanel* instrument() const { return instrument_.get(); }
    const SchematicOverlay* schematic() const { return schematic_.get(); }
    // The knob slot (0..9) whose parameter a track's automation lane edits, -1 for none.
    int automationSlot(int track) const { return automationSlots_[std::clamp(track, 0, FrontPanel::kTracks - 1)]; }
    // Lights the automate switch of a slot and darkens the others; -1 darkens all.
    void lightAutomateSwitch(int slot);
    const BarDisplay* bars() const { return bars_.get(); }
    // The step grid, the automation lane and the lane's controls (null when closed).
    LanePanel* lanes() const { return lanes_.get(); }
    int selectedTrack() const override { return selectedTrack_; }
    int visibleSteps() const { return visibleSteps_; }
    bool copyMode() const { return copyMode_; }
    const std::string& statusText() const;
    HelpViewer& help() { return help_; }

  protected:
    // The system window for the frame; the X11 child of the parent window.
    virtual std::unique_ptr<FrameWindow> openWindow(uintptr_t parentWindow, EditorFrame& frame);
    // The dialogs the editor shows while open; null keeps the process's.
    virtual std::unique_ptr<Dialogs> openDialogs();

  private:
    void idlePump() override;
    void focusChanged(bool gained) override;
    bool keyDown(const X11KeyEvent& key) override;
    void filesDragged(SkinControl* control, const std::vector<std::string>& paths, bool dropped) override;

    // ViewHost
    void selectTrack(int viewTag, int track) override;
    void rowChanged(int viewTag, int track) override;
    void setMouseCursor(int resource) override;
    bool hostPlaying() const override;
    void audition() override;
    DrumMachine& machine() override { return *machine_; }

    // The lane shows the selected track's velocities, or its automation of
    // the parameter in its AutomationSlot (slot 0 when it has none yet).
    void showLane(bool parameterMode);
    void redrawPattern();

    // What the idle call and the tracking loops' pump do while the editor is open.
    void idleWork();
    void showTransport();
    void followPlayback();
    void buildLayout();
    void addWindowControls();
    void toggleEditMode();
    void applyEditMode();
    void showHint();
    std::string parameterDisplay(int index) const;
    std::string parameterName(int index) const;
    std::string knobLongName(int parameter) const;
    void sendHost(const char (&code)[5]);
    void writePlacement();

    // Value changes by group of tags; true when the tag was theirs.
    bool windowControlChanged(int tag, float value);
    bool documentControlChanged(int tag, float value);
    bool patternControlChanged(int tag, float value);
    bool trackControlChanged(int tag, float value);

    void selectTrack(int track);
    void showBarButton(int button);
    void setVisibleSteps(float switchValue);
    // 8, 16 or 32 steps per bar, on the switch and the views.
    void showResolution(int steps);
    void setCopyMode(bool on);
    void clearTracks(int first, int last);
    void toggleTrackSwitch(int firstParameter);
    void openHelp();

    void refreshAll();
    void refreshEffect();
    void refreshSampleAndSynthesis();
    void refreshShuffleAndBars();
    void refreshNames();
    void openTrackMenu(int track);
    void addInstrumentPanel();

    DrumMachine* machine_;
    Configuration configuration_;
    TagTables tags_;
    SkinBitmapSet bitmaps_;
    HelpViewer help_;
    std::unique_ptr<EditorFrame> frame_;
    std::unique_ptr<FrontPanel> panel_;
    std::unique_ptr<BarDisplay> bars_;
    std::unique_ptr<TrackRows> rows_;
    std::unique_ptr<LanePanel> lanes_;
    std::unique_ptr<InstrumentPanel> instrument_;
    std::unique_ptr<SchematicOverlay> schematic_;
    std::unique_ptr<SampleDrop> drop_;
    std::unique_ptr<Dialogs> dialogs_;
    PanelView* upper_ = nullptr;
    PanelView* lower_ = nullptr;
    uintptr_t parent_ = 0;
    ERect rect_{};
    bool editMode_ = true;
    bool closing_ = false;
    bool closePending_ = false;
    int selectedTrack_ = 0;
    // Per track the knob slot (0..9) whose automation the lane edits, -1 none.
    std::array<int, 16> automationSlots_;
    int visibleSteps_ = 16;
    bool copyMode_ = false;
    KnobMode knobMode_ = KnobMode::Linear;
    SkinControl* hintSource_ = nullptr;
    bool hintShown_ = false;
    uint64_t lastPumpIdle_ = 0;
    uint64_t lastIdle_ = 0;
    std::string version_;
};

} // namespace trommik2
