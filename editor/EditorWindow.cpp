#include "EditorWindow.h"

#include <cmath>

#include <X11/keysym.h>

#include "MomentaryButton.h"
#include "StringTable.h"
#include "TextLabel.h"
#include "X11FrameWindow.h"
#include "core/effect/AudioEffect.h"
#include "support/VersionText.h"

namespace trommik2 {
namespace {

constexpr const char* kSection = "Editor";
constexpr const char* kEditModeKey = "Editmode";
constexpr const char* kPositionXKey = "WndPosX";
constexpr const char* kPositionYKey = "WndPosY";

constexpr int kSelectedTrack = 10001;
constexpr int kInstrumentNames = 10060;
// The editor's idle inside a mouse-tracking loop: often enough for meters and
// the play cursor, rarely enough to keep the gesture smooth.
constexpr uint64_t kPumpIdleInterval = 100;
constexpr size_t kStatusLength = 63;

enum Tag : int {
    kUpperBackground = 0,
    kLowerBackground = 1,
    kLogo = 2,
    kCloseButton = 3,
    kEditModeButton = 8,
    kStatusLine = 63,
};

} // namespace

EditorWindow::EditorWindow(AudioEffect* effect, Configuration configuration)
    : effect_(effect), configuration_(std::move(configuration)) {
    configuration_.readBool(kSection, kEditModeKey, &editMode_);
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
    selectedTrack_ = static_cast<int>(std::lround(effect_->getParameter(kSelectedTrack)));
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
}

void EditorWindow::addWindowControls() {
    // The bare background of either panel drags the window; added first, they lie under everything.
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{0, 0, 916, 488}, this, kUpperBackground, nullptr));
    lower_->add(std::make_unique<MomentaryButton>(ViewRect{0, 0, 916, 671}, this, kLowerBackground, nullptr));
    // The logo is part of the panel picture.
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{76, 16, 235, 48}, this, kLogo, nullptr));
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{878, 8, 904, 31}, this, kCloseButton, bitmaps_.get(3)));
    upper_->add(std::make_unique<MomentaryButton>(ViewRect{47, 46, 74, 69}, this, kEditModeButton, bitmaps_.get(6)));
    auto status = std::make_unique<TextLabel>(ViewRect{37, 64, 237, 79}, kStatusLine);
    status->setMouseEnabled(false);
    status->setColour(skin::kAccent);
    status_ = lower_->add(std::move(status));
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
    hintSource_ = nullptr;
    status_ = nullptr;
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
    if (closePending_) {
        closePending_ = false;
        close();
        // Closed from its own button: the host's window goes with it.
        effect_->closeWindow(nullptr);
        return;
    }
    idleWork();
    frame_->update();
}

void EditorWindow::idleWork() { showHint(); }

void EditorWindow::idlePump() {
    uint64_t now = frame_->now();
    if (now - lastPumpIdle_ < kPumpIdleInterval)
        return;
    lastPumpIdle_ = now;
    idleWork();
}

void EditorWindow::setParameter(int32_t, float) {
    // The refresh notifications concern controls of the panels that show the
    // plug-in's state; the window controls show none.
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
    return status_ ? status_->text() : none;
}

void EditorWindow::valueChanged(SkinControl* control) {
    int tag = control->tag();
    float value = control->value();
    switch (tag) {
    case kUpperBackground:
    case kLowerBackground:
    case kLogo:
        if (value == 1.0f)
            frame_->dragWindow(frame_->mouseState());
        return;
    case kEditModeButton:
        if (value == 1.0f)
            toggleEditMode();
        return;
    default:
        if (int parameter = tags_.parameter(tag); parameter >= 0)
            effect_->setParameter(parameter, value);
        return;
    }
}

void EditorWindow::focusChanged(bool gained) {
    if (gained)
        sendHost("DACC");
    else if (frame_ && !closing_)
        sendHost("RACC");
}

bool EditorWindow::keyDown(const X11KeyEvent& key) {
    if (key.character == 'E' || key.character == 'e') {
        toggleEditMode();
        return true;
    }
    return false;
}

void EditorWindow::toggleEditMode() {
    editMode_ = !editMode_;
    applyEditMode();
}

void EditorWindow::applyEditMode() {
    int height = editMode_ ? kFullHeight : kCompactHeight;
    frame_->setSize(kWidth, height);
    // The host's window (the wrapper, or an embedding host's) follows.
    effect_->sizeWindow(kWidth, height);
}

std::string EditorWindow::parameterDisplay(int index) const {
    char text[260] = {};
    effect_->getParameterDisplay(index, text);
    return text;
}

std::string EditorWindow::parameterName(int index) const {
    char text[260] = {};
    effect_->getParameterName(index, text);
    return text;
}

void EditorWindow::showHint() {
    if (!status_)
        return;
    auto* control = dynamic_cast<SkinControl*>(frame_->viewAt(frame_->mouseState().where));
    int tag = control ? control->tag() : -1;
    bool changed = !hintShown_ || control != hintSource_;
    hintSource_ = control;
    hintShown_ = true;
    auto show = [this](const std::string& text) { status_->setText(text.substr(0, kStatusLength)); };
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
    default:
        // The knob and step-grid hints come with those views; until then the
        // instrument name stands in.
        if (changed)
            show(parameterDisplay(kInstrumentNames + selectedTrack_));
        break;
    }
}

void EditorWindow::sendHost(const char (&code)[5]) {
    effect_->hostVendorSpecific(fourCharCode("HOST"), fourCharCode(code), nullptr, 0.0f);
}

} // namespace trommik2
