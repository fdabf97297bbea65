#include "EditorWindow.h"

#include <algorithm>
#include <cmath>

#include <X11/keysym.h>

#include <trommik2/control_ids.h>

#include "AutomationView.h"
#include "ControlTags.h"
#include "FrameKnob.h"
#include "FrameStripDisplay.h"
#include "LevelMeter.h"
#include "MomentaryButton.h"
#include "MultiSwitch.h"
#include "SkinSlider.h"
#include "StepGrid.h"
#include "StringTable.h"
#include "TextLabel.h"
#include "TextMenu.h"
#include "ToggleSwitch.h"
#include "TrackMenu.h"
#include "TrackNameField.h"
#include "X11Dialogs.h"
#include "X11FrameWindow.h"
#include "core/DrumMachine.h"
#include "core/effect/AudioEffect.h"
#include "support/VersionText.h"

namespace trommik2 {
namespace {

constexpr const char* kSection = "Editor";
constexpr const char* kEditModeKey = "Editmode";
constexpr const char* kPositionXKey = "WndPosX";
constexpr const char* kPositionYKey = "WndPosY";

// The editor's idle inside a mouse-tracking loop: often enough for meters and
// the play cursor, rarely enough to keep the gesture smooth.
constexpr uint64_t kPumpIdleInterval = 100;
constexpr size_t kStatusLength = 63;
constexpr int kStepsPerBeat = 8;
// The meters show the top 30 dB.
constexpr float kMeterFloor = 0.031622777f; // 10^-1.5
constexpr const char* kHelpTopic = "editor";

bool inColumn(int tag, int first) { return tag >= first && tag < first + FrontPanel::kTracks; }

char upper(uint32_t c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c); }

} // namespace

EditorWindow::EditorWindow(DrumMachine* machine)
    : machine_(machine), configuration_(machine->configuration()),
      help_(machine->contentFolders().root(), configuration_) {
    automationSlots_.fill(-1);
    configuration_.readBool(kSection, kEditModeKey, &editMode_);
    automationSlots_.fill(-1);
}

EditorWindow::~EditorWindow() { close(); }

bool EditorWindow::getRect(ERect** rect) {
    int x = 0, y = 0;
    configuration_.readInt(kSection, kPositionXKey, &x);
    configuration_.readInt(kSection, kPositionYKey, &y);
    rect_.left = static_cast<int16_t>(x);
    rect_.top = static_cast<int16_t>(y);
    rect_.right = static_cast<int16_t>(x + kWidth);
    rect_.bottom = static_cast<int16_t>(y + (editMode_ ? kFullHeight : kCompactHeight));
    if (rect)
        *rect = &rect_;
    return true;
}

std::unique_ptr<FrameWindow> EditorWindow::openWindow(uintptr_t parentWindow, EditorFrame& frame) {
    return X11FrameWindow::open(parentWindow, frame);
}

std::unique_ptr<Dialogs> EditorWindow::openDialogs() {
    auto* window = dynamic_cast<X11FrameWindow*>(frame_->window());
    if (!window)
        return nullptr;
    return std::make_unique<X11Dialogs>(*window->window(), [this] {
        idlePump();
        frame_->update();
    });
}

bool EditorWindow::open(uintptr_t parentWindow) {
    if (frame_)
        close();
    version_ = versionText();
    bitmaps_.loadAll();
    frame_ = std::make_unique<EditorFrame>(kWidth, kFullHeight, static_cast<FrameHost*>(this));
    std::unique_ptr<FrameWindow> window = openWindow(parentWindow, *frame_);
    if (!window) {
        frame_.reset();
        bitmaps_.clear();
        return false;
    }
    frame_->setWindow(std::move(window));
    frame_->setKnobMode(knobMode_);
    parent_ = parentWindow;
    buildLayout();
    if ((dialogs_ = openDialogs()))
        Dialogs::install(dialogs_.get());
    // The grid comes back at the resolution it had, or that a pattern brought.
    showResolution(machine_->model().stepResolution());
    lanes_->grid->setCopyMode(copyMode_);
    lanes_->lane->setCopyMode(copyMode_);
    selectTrack(static_cast<int>(std::lround(machine_->getParameter(kParamSelectTrack))));
    refreshAll();
    bars_->show(0, machine_->sequencer().bars());
    configuration_.readBool(kSection, kEditModeKey, &editMode_);
    applyEditMode();
    frame_->update();
    frame_->window()->takeFocus();
    return true;
}

void EditorWindow::buildLayout() {
    auto upper = std::make_unique<PanelView>(ViewRect{0, 0, kWidth, kUpperHeight});
    upper->setBackground(bitmaps_.get(2));
    upper_ = frame_->add(std::move(upper));
    auto lower = std::make_unique<PanelView>(ViewRect{0, kUpperHeight, kWidth, kFullHeight});
    lower->setBackground(bitmaps_.get(56));
    lower_ = frame_->add(std::move(lower));
    addWindowControls();
    panel_ = std::make_unique<FrontPanel>(*upper_, *lower_, bitmaps_, this, &machine_->listProvider());
    bars_ = std::make_unique<BarDisplay>(*panel_, machine_->sequencer());
    rows_ = std::make_unique<TrackRows>(*panel_, *machine_, *frame_);
    lanes_ = std::make_unique<LanePanel>(*upper_, *lower_, bitmaps_, this, *static_cast<ViewHost*>(this));
    bars_->setShownHandler([this](int first, int count) {
        lanes_->grid->setShownBars(first, count);
        lanes_->lane->setShownBars(first, count);
    });
    for (int t = 0; t < FrontPanel::kTracks; ++t) {
        panel_->rows[t].menu->setOpenHandler([this, t](TextMenu&) { selectTrack(t); });
        panel_->rows[t].name->setMenuHandler([this, t](TrackNameField&) { openTrackMenu(t); });
    }
    addInstrumentPanel();
}

void EditorWindow::addInstrumentPanel() {
    instrument_ =
        std::make_unique<InstrumentPanel>(*lower_, bitmaps_, this, &machine_->listProvider(), *machine_, tags_);
    drop_ = std::make_unique<SampleDrop>(*panel_, *machine_);
    // Added last: the picture lies over the step grid while it is shown.
    schematic_ = std::make_unique<SchematicOverlay>(*upper_, bitmaps_, *machine_);
    for (int k = 0; k < InstrumentPanel::kAssignable; ++k) {
        TextMenu& menu = *instrument_->slot(k).menu;
        menu.setOpenHandler([this, k](TextMenu&) { schematic_->open(instrument_->parameterOf(k)); });
        menu.setHoverHandler([this](const MenuEntry& entry) { schematic_->hovered(entry); });
        menu.setCloseHandler([this] { schematic_->close(); });
    }
}

void EditorWindow::addWindowControls() {
    // The bare background of either panel drags the window; added first, they lie under everything.
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{0, 0, 916, 488}, this, kTagUpperBackground, nullptr));
    lower_->add(std::make_unique<MomentaryButton>(ViewRect{0, 0, 916, 671}, this, kTagLowerBackground, nullptr));
    // The logo is part of the panel picture.
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{76, 16, 235, 48}, this, kTagLogo, nullptr));
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{878, 8, 904, 31}, this, kTagClose, bitmaps_.get(3)));
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{47, 46, 74, 69}, this, kTagEditMode, bitmaps_.get(6)));
}

void EditorWindow::close() {
    if (!frame_)
        return;
    if (frame_->handlingInput()) {
        closePending_ = true;
        return;
    }
    sendHost("DRAW");
    configuration_.writeBool(kSection, kEditModeKey, editMode_);
    writePlacement();
    sendHost("RACC");
    closing_ = true;
    if (dialogs_ && &Dialogs::current() == dialogs_.get())
        Dialogs::install(nullptr);
    dialogs_.reset();
    hintSource_ = nullptr;
    schematic_.reset();
    drop_.reset();
    instrument_.reset();
    lanes_.reset();
    rows_.reset();
    bars_.reset();
    panel_.reset();
    upper_ = lower_ = nullptr;
    frame_.reset();
    bitmaps_.clear();
    parent_ = 0;
    closing_ = false;
}

void EditorWindow::writePlacement() {
    int x = 0, y = 0;
    if (!frame_->window() || !frame_->window()->screenPosition(&x, &y))
        return;
    configuration_.writeInt(kSection, kPositionXKey, x);
    configuration_.writeInt(kSection, kPositionYKey, y);
}

void EditorWindow::idle() {
    if (!frame_)
        return;
    frame_->window()->pollInput();
    if (closePending_) {
        closePending_ = false;
        close();
        // Closed from its own button: the host's window goes with it.
        machine_->closeWindow(nullptr);
        return;
    }
    uint64_t now = frame_->now();
    if (now - lastIdle_ >= kIdleInterval) {
        lastIdle_ = now;
        idleWork();
    }
    frame_->update();
}

void EditorWindow::idleWork() {
    for (int i = 0; i < 2; ++i) {
        float level = std::clamp(machine_->getParameter(kParamMeterLeft + i), kMeterFloor, 1.0f);
        panel_->meters[i]->setValue(1.0f + 20.0f * std::log10(level) / 30.0f);
    }
    showTransport();
    const int stepLength = std::max(1, machine_->sequencer().samplesPerStep());
    instrument_->showAutomation(machine_->sequencer().position() / stepLength);
    followPlayback();
    bars_->refresh();
    lanes_->grid->refreshPlayCursor();
    help_.poll();
    showHint();
}

void EditorWindow::showTransport() {
    const bool playing = machine_->renderer().hostPlaying();
    const Sequencer& sequencer = machine_->sequencer();
    const int stepLength = std::max(1, sequencer.samplesPerStep());
    const int step = sequencer.position() / stepLength;
    panel_->play->setValue(!playing ? 0.0f : step % kStepsPerBeat == 0 ? 1.0f : 0.5f);
    for (int k = 0; k < 4; ++k)
        panel_->lamps[k]->setValue(playing && k == sequencer.currentBar() ? 1.0f : 0.0f);
}

void EditorWindow::followPlayback() {
    if (panel_->follow->value() == 0.0f || !machine_->renderer().hostPlaying() || bars_->count() != 1 ||
        frame_->tracking())
        return;
    const int playing = machine_->sequencer().currentBar();
    if (playing != bars_->first() && playing < machine_->sequencer().bars())
        bars_->show(playing, 1);
}

void EditorWindow::idlePump() {
    uint64_t now = frame_->now();
    if (now - lastPumpIdle_ < kPumpIdleInterval)
        return;
    lastPumpIdle_ = now;
    idleWork();
}

void EditorWindow::setParameter(int32_t index, float) {
    if (!frame_)
        return;
    switch (index) {
    case kRefreshEffect: refreshEffect(); break;
    case kRefreshSampleAndSynthesis: refreshSampleAndSynthesis(); break;
    case kRefreshShuffleAndBars:
        refreshShuffleAndBars();
        instrument_->refreshLabels();
        refreshEffect();
        break;
    case kRefreshInstruments:
        rows_->refresh();
        instrument_->refreshKnobs();
        refreshNames();
        refreshEffect();
        refreshSampleAndSynthesis();
        break;
    case kRefreshPattern:
        refreshNames();
        redrawPattern();
        break;
    case kRefreshEverything: refreshAll(); break;
    case kRefreshKnobs:
        instrument_->refreshKnobs();
        // The lane follows a new assignment.
        if (lanes_->parameterMode())
            showLane(true);
        break;
    default: break;
    }
}

void EditorWindow::refreshAll() {
    rows_->refresh();
    instrument_->refreshKnobs();
    refreshNames();
    refreshEffect();
    refreshSampleAndSynthesis();
    refreshShuffleAndBars();
    redrawPattern();
    panel_->master->setValue(machine_->getParameter(kParamMasterVolume));
}

void EditorWindow::redrawPattern() {
    if (const int resolution = machine_->model().stepResolution(); resolution != visibleSteps_)
        showResolution(resolution);
    lanes_->grid->redrawAll();
    showLane(lanes_->parameterMode());
}

void EditorWindow::refreshNames() {
    panel_->setupMenu->setCurrent(parameterDisplay(kDisplaySetupName));
    panel_->kitMenu->setCurrent(parameterDisplay(kDisplayKitName));
    panel_->patternMenu->setCurrent(parameterDisplay(kDisplayPatternName));
}

void EditorWindow::refreshEffect() {
    panel_->effectMenu->setCurrent(parameterDisplay(FXType));
    panel_->effect->setValue(machine_->getParameter(FXActive) >= 0.5f ? 1.0f : 0.0f);
    instrument_->refreshEffect();
}

void EditorWindow::refreshSampleAndSynthesis() {
    panel_->sampleMenu->setCurrent(parameterDisplay(kDisplaySampleName));
    panel_->synthesisMenu->setCurrent(parameterDisplay(GenSynthesisType));
    panel_->mix->setValue(machine_->getParameter(GenMixSynthesisWav));
}

void EditorWindow::refreshShuffleAndBars() {
    panel_->shuffle->setValue(machine_->getParameter(kParamShuffle));
    const int bars = machine_->sequencer().bars();
    if (bars_->first() >= bars || bars_->count() > bars)
        bars_->show(0, bars);
    else
        bars_->refresh();
}

bool EditorWindow::setKnobMode(int32_t mode) {
    if (mode < 0 || mode > 2)
        return false;
    knobMode_ = static_cast<KnobMode>(mode);
    if (frame_)
        frame_->setKnobMode(knobMode_);
    return true;
}

uintptr_t EditorWindow::systemWindow() const {
    return frame_ && frame_->window() ? frame_->window()->systemWindow() : 0;
}

void EditorWindow::focus() {
    if (frame_ && frame_->window())
        frame_->window()->takeFocus();
}

const std::string& EditorWindow::statusText() const {
    static const std::string none;
    return panel_ ? panel_->status->text() : none;
}

void EditorWindow::valueChanged(SkinControl* control) {
    const int tag = control->tag();
    const float value = control->value();
    if (windowControlChanged(tag, value) || documentControlChanged(tag, value) || patternControlChanged(tag, value) ||
        trackControlChanged(tag, value))
        return;
    if (int slot = InstrumentPanel::knobSlotOf(tag); slot >= 0) {
        instrument_->knobChanged(slot);
        return;
    }
    if (int slot = InstrumentPanel::automateSlotOf(tag); slot >= 0) {
        automationSlots_[selectedTrack_] = slot;
        showLane(true);
        return;
    }
    if (int parameter = tags_.parameter(tag); parameter >= 0)
        machine_->setParameter(parameter, value);
}

bool EditorWindow::windowControlChanged(int tag, float value) {
    switch (tag) {
    case kTagUpperBackground:
    case kTagLowerBackground:
    case kTagLogo:
        if (value == 1.0f)
            frame_->dragWindow(frame_->mouseState());
        return true;
    case kTagEditMode:
        if (value == 1.0f)
            toggleEditMode();
        return true;
    case kTagHelp:
        if (value == 1.0f)
            openHelp();
        return true;
    case kTagPlay:
        if (value == 1.0f)
            sendHost("PLAY");
        return true;
    case kTagStop:
        if (value == 1.0f)
            sendHost("STOP");
        return true;
    case kTagPreview:
        // Writing the audition asks the host to play first when it does not.
        if (value != 0.0f)
            machine_->setParameter(kParamAudition, value);
        return true;
    default: return false;
    }
}

bool EditorWindow::documentControlChanged(int tag, float value) {
    struct DocumentButtons {
        int previous, next, save, kind;
    };
    static constexpr DocumentButtons kButtons[] = {
        {kTagSetupPrevious, kTagSetupNext, kTagSetupSave, kContentSetups},
        {kTagKitPrevious, kTagKitNext, kTagKitSave, kContentDrumkits},
        {kTagPatternPrevious, kTagPatternNext, kTagPatternSave, kContentPatterns},
        {-1, -1, kTagInstrumentSave, kContentInstruments},
    };
    for (const DocumentButtons& buttons : kButtons) {
        const int parameter = tag == buttons.previous ? kParamBrowsePrevious
                              : tag == buttons.next   ? kParamBrowseNext
                              : tag == buttons.save   ? kParamSaveWithDialog
                                                      : 0;
        if (!parameter)
            continue;
        if (value != 0.0f)
            machine_->setParameter(parameter, static_cast<float>(buttons.kind));
        return true;
    }
    return tag == kTagSetupMenu || tag == kTagKitMenu || tag == kTagPatternMenu || tag == kTagSampleMenu ||
           tag == kTagSynthesisMenu || tag == kTagEffectMenu;
}

bool EditorWindow::patternControlChanged(int tag, float value) {
    if (tag >= kTagFirstBar && tag <= kTagAllBars) {
        if (value == 1.0f)
            showBarButton(tag == kTagAllBars ? 0 : tag - kTagFirstBar + 1);
        return true;
    }
    switch (tag) {
    case kTagSteps: setVisibleSteps(value); return true;
    case kTagBars: bars_->barCountChosen(1 << static_cast<int>(std::lround(value * 2.0f))); return true;
    case kTagShuffle: machine_->setParameter(kParamShuffle, value); return true;
    case kTagCopy: setCopyMode(value != 0.0f); return true;
    case kTagFollow: return true;
    case kTagClearPattern:
        if (value == 1.0f)
            clearTracks(0, FrontPanel::kTracks - 1);
        return true;
    case kTagClearTrack:
        if (value == 1.0f)
            clearTracks(selectedTrack_, selectedTrack_);
        return true;
    case kTagVelocityMode: showLane(false); return true;
    case kTagParameterMode: showLane(true); return true;
    case kTagLaneModeToggle: showLane(value == 0.0f); return true;
    default: return lanes_->valueChanged(tag, value);
    }
}

bool EditorWindow::trackControlChanged(int tag, float value) {
    if (inColumn(tag, kTagFirstSolo)) {
        selectTrack(tag - kTagFirstSolo);
        machine_->setParameter(kParamSoloFirst + selectedTrack_, value);
        return true;
    }
    if (inColumn(tag, kTagFirstPrevious) || inColumn(tag, kTagFirstNext)) {
        if (value == 1.0f) {
            const bool previous = inColumn(tag, kTagFirstPrevious);
            selectTrack(tag - (previous ? kTagFirstPrevious : kTagFirstNext));
            machine_->setParameter(previous ? kParamBrowsePrevious : kParamBrowseNext, kContentInstruments);
        }
        return true;
    }
    if (inColumn(tag, kTagFirstMenu) || inColumn(tag, kTagFirstName)) {
        if (value == 1.0f)
            selectTrack(tag - (inColumn(tag, kTagFirstMenu) ? kTagFirstMenu : kTagFirstName));
        return true;
    }
    return false;
}

void EditorWindow::controlDragged(SkinControl* control, ViewPoint where, bool released) {
    if (!rows_)
        return;
    if (int target = rows_->dragged(control, where, released); target >= 0)
        selectTrack(target);
}

void EditorWindow::selectTrack(int track) {
    track = std::clamp(track, 0, FrontPanel::kTracks - 1);
    lanes_->grid->selectTrack(selectedTrack_, track);
    selectedTrack_ = track;
    showLane(lanes_->parameterMode());
    rows_->shade(track);
    machine_->setParameter(kParamSelectTrack, static_cast<float>(track));
    instrument_->refreshKnobs();
    refreshSampleAndSynthesis();
    refreshEffect();
    hintShown_ = false;
}

void EditorWindow::lightAutomateSwitch(int slot) {
    if (instrument_)
        instrument_->lightAutomateSwitch(slot);
}

void EditorWindow::openTrackMenu(int track) {
    selectTrack(track);
    const int32_t command = TrackMenu::choose(*frame_, *machine_, track, panel_->rows[track].name->rect());
    if (TrackMenu::run(*machine_, track, command))
        refreshAll();
}

void EditorWindow::filesDragged(SkinControl* control, const std::vector<std::string>& paths, bool dropped) {
    const int tag = control ? control->tag() : -1;
    if (dropped)
        drop_->drop(tag, paths);
    else
        drop_->hover(tag, paths);
}

void EditorWindow::showBarButton(int button) {
    // Asking for one bar while following playback stops following.
    if (button > 0 && panel_->follow->value() != 0.0f && machine_->renderer().hostPlaying())
        panel_->follow->setValue(0.0f);
    bars_->showButton(button);
}

void EditorWindow::setVisibleSteps(float switchValue) {
    visibleSteps_ = 8 << static_cast<int>(std::lround(std::clamp(switchValue, 0.0f, 1.0f) * 2.0f));
    lanes_->grid->setVisibleSteps(visibleSteps_);
    lanes_->lane->setVisibleSteps(visibleSteps_);
    // Pattern documents carry the resolution they were made at.
    machine_->model().setStepResolution(visibleSteps_);
}

void EditorWindow::showResolution(int steps) {
    panel_->steps->setValue(steps == 8 ? 0.0f : steps == 32 ? 1.0f : 0.5f);
    setVisibleSteps(panel_->steps->value());
}

void EditorWindow::setCopyMode(bool on) {
    copyMode_ = on;
    panel_->copy->setValue(on ? 1.0f : 0.0f);
    lanes_->grid->setCopyMode(on);
    lanes_->lane->setCopyMode(on);
}

void EditorWindow::showLane(bool parameterMode) {
    if (!parameterMode) {
        lanes_->showVelocity(selectedTrack_);
        lightAutomateSwitch(-1);
        return;
    }
    int& slot = automationSlots_[selectedTrack_];
    if (slot < 0)
        slot = 0;
    lanes_->showParameter(selectedTrack_, slot);
    lightAutomateSwitch(slot);
}

void EditorWindow::selectTrack(int, int track) {
    if (track != selectedTrack_)
        selectTrack(track);
}

void EditorWindow::rowChanged(int viewTag, int track) {
    if (viewTag == kTagStepGrid)
        lanes_->lane->redrawRow(track);
    else
        lanes_->grid->redrawRow(track);
}

void EditorWindow::setMouseCursor(int resource) { frame_->setCursor(resource); }

bool EditorWindow::hostPlaying() const { return machine_->renderer().hostPlaying(); }

void EditorWindow::audition() { machine_->setParameter(kParamAudition, 1.0f); }

void EditorWindow::clearTracks(int first, int last) {
    for (int t = first; t <= last; ++t) {
        TrackPattern& pattern = machine_->sequencer().track(t);
        for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot)
            pattern.clearStep(slot);
        for (int parameter = 0; parameter < kParameterCount; ++parameter) {
            if (pattern.hasAutomation(parameter))
                for (int slot = 0; slot < TrackPattern::kSlotCount; ++slot)
                    pattern.clearAutomationPoint(parameter, slot);
            pattern.setAutomationScale(parameter, 1.0f);
        }
    }
    machine_->patternChanged();
    lanes_->grid->redrawAll();
    lanes_->lane->redrawAll();
}

void EditorWindow::toggleTrackSwitch(int firstParameter) {
    const int parameter = firstParameter + selectedTrack_;
    const float value = machine_->getParameter(parameter) != 0.0f ? 0.0f : 1.0f;
    machine_->setParameter(parameter, value);
    TrackRow& row = panel_->rows[selectedTrack_];
    (firstParameter == kParamMuteFirst ? row.mute : row.solo)->setValue(value);
}

void EditorWindow::focusChanged(bool gained) {
    if (gained)
        sendHost("DACC");
    else if (frame_ && !closing_)
        sendHost("RACC");
}

bool EditorWindow::keyDown(const X11KeyEvent& key) {
    switch (key.keysym) {
    case XK_KP_0:
    case XK_KP_Insert: showBarButton(0); return true;
    case XK_KP_1:
    case XK_KP_End: showBarButton(1); return true;
    case XK_KP_2:
    case XK_KP_Down: showBarButton(2); return true;
    case XK_KP_3:
    case XK_KP_Next: showBarButton(3); return true;
    case XK_KP_4:
    case XK_KP_Left: showBarButton(4); return true;
    case XK_KP_Add:
    case XK_KP_Subtract: {
        const float step = key.keysym == XK_KP_Add ? 0.5f : -0.5f;
        panel_->steps->setValue(std::clamp(panel_->steps->value() + step, 0.0f, 1.0f));
        setVisibleSteps(panel_->steps->value());
        return true;
    }
    case XK_Up:
    case XK_Down: {
        const int track = selectedTrack_ + (key.keysym == XK_Up ? -1 : 1);
        if (track >= 0 && track < FrontPanel::kTracks)
            selectTrack(track);
        return true;
    }
    case XK_F1: openHelp(); return true;
    case XK_space: sendHost(machine_->renderer().hostPlaying() ? "STOP" : "PLAY"); return true;
    default: break;
    }
    const char c = upper(key.character);
    if (c >= '0' && c <= '4') {
        showBarButton(c - '0');
        return true;
    }
    switch (c) {
    case 'A': setCopyMode(!copyMode_); return true;
    case 'E': toggleEditMode(); return true;
    case 'F': panel_->follow->setValue(panel_->follow->value() != 0.0f ? 0.0f : 1.0f); return true;
    case 'M': toggleTrackSwitch(kParamMuteFirst); return true;
    case 'S': toggleTrackSwitch(kParamSoloFirst); return true;
    case 'P': machine_->setParameter(kParamAudition, 1.0f); return true;
    default: return lanes_->grid->keyDown(key);
    }
}

void EditorWindow::toggleEditMode() {
    editMode_ = !editMode_;
    applyEditMode();
}

void EditorWindow::applyEditMode() {
    int height = editMode_ ? kFullHeight : kCompactHeight;
    frame_->setSize(kWidth, height);
    // The host's window (the wrapper, or an embedding host's) follows.
    machine_->sizeWindow(kWidth, height);
}

void EditorWindow::openHelp() { help_.open(kHelpTopic); }

std::string EditorWindow::parameterDisplay(int index) const {
    char text[DrumMachine::kDisplayLength] = {};
    machine_->getParameterDisplay(index, text);
    return text;
}

std::string EditorWindow::knobLongName(int parameter) const {
    // The effect knobs' names depend on the effect.
    if (parameter >= FXParam1 && parameter <= FXParam4)
        return parameterName(parameter);
    return machine_->bank().table().longName(parameter);
}

std::string EditorWindow::parameterName(int index) const {
    char text[DrumMachine::kDisplayLength] = {};
    machine_->getParameterName(index, text);
    return text;
}

void EditorWindow::showHint() {
    auto* control = dynamic_cast<SkinControl*>(frame_->viewAt(frame_->mouseState().where));
    int tag = control ? control->tag() : -1;
    bool changed = !hintShown_ || control != hintSource_;
    // The views set their cursors while the mouse is over them; elsewhere the arrow.
    if (changed && hintSource_ && (hintSource_->tag() == kTagStepGrid || hintSource_->tag() == kTagLane))
        frame_->setCursor(StepView::kArrowCursor);
    hintSource_ = control;
    hintShown_ = true;
    auto show = [this](const std::string& text) { panel_->status->setText(text.substr(0, kStatusLength)); };
    switch (tags_.hintKind(tag)) {
    case HintKind::String:
        if (changed) {
            const char* text = hintText(tags_.hintString(tag));
            show(text ? text : "");
        }
        break;
    case HintKind::ParameterText: {
        int parameter = tags_.parameter(tag);
        show(parameterName(parameter) + ": " + parameterDisplay(parameter));
        break;
    }
    case HintKind::Version: show(version_); break;
    case HintKind::OwnText: show(tag == kTagStepGrid ? lanes_->grid->status() : lanes_->lane->status()); break;
    case HintKind::KnobName:
        if (changed)
            show(knobLongName(tags_.parameter(tag)));
        break;
    default: // the selected track's instrument name
        if (changed)
            show(parameterDisplay(kDisplayInstrumentNameFirst + selectedTrack_));
        break;
    }
}

void EditorWindow::sendHost(const char (&code)[5]) {
    machine_->hostVendorSpecific(fourCharCode("HOST"), fourCharCode(code), nullptr, 0.0f);
}

} // namespace trommik2
