#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ControlListener.h"
#include "EditorFrame.h"
#include "FrameHost.h"
#include "SkinBitmapSet.h"
#include "TagTables.h"
#include "core/effect/AEffect.h"
#include "core/effect/EffectEditor.h"
#include "support/Configuration.h"

namespace trommik2 {

class AudioEffect;
class SkinControl;
class TextLabel;

// The plug-in's editor: a frame of 916 × 671 pixels (or the 916 × 72 strip of
// the compact editor) with the upper and the lower panel and their controls.
// It reaches the plug-in only through its parameters and host messages. Its
// window is a child of whatever X window it is opened on: the host binding's
// wrapper or a host's own window. All operations: user-interface thread.
class EditorWindow : public EffectEditor, public ControlListener, private FrameHost {
  public:
    static constexpr int kWidth = 916;
    static constexpr int kFullHeight = 671;
    static constexpr int kCompactHeight = 72;
    static constexpr int kUpperHeight = 488;

    EditorWindow(AudioEffect* effect, Configuration configuration);
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
    void setParameter(int32_t index, float value) override;
    bool setKnobMode(int32_t mode) override;
    uintptr_t systemWindow() const override;
    void focus() override;

    void valueChanged(SkinControl* control) override;

    bool isOpen() const { return frame_ != nullptr; }
    // True for the full editor, false for the compact strip.
    bool editMode() const { return editMode_; }
    EditorFrame* frame() const { return frame_.get(); }
    const std::string& statusText() const;

  protected:
    // The system window for the frame; the X11 child of the parent window.
    virtual std::unique_ptr<FrameWindow> openWindow(uintptr_t parentWindow, EditorFrame& frame);

  private:
    void idlePump() override;
    void focusChanged(bool gained) override;
    bool keyDown(const X11KeyEvent& key) override;

    // What the idle call and the tracking loops' pump do while the editor is open.
    void idleWork();
    void buildLayout();
    void addWindowControls();
    void toggleEditMode();
    void applyEditMode();
    void showHint();
    std::string parameterDisplay(int index) const;
    std::string parameterName(int index) const;
    void sendHost(const char (&code)[5]);
    void writePlacement();

    AudioEffect* effect_;
    Configuration configuration_;
    TagTables tags_;
    SkinBitmapSet bitmaps_;
    std::unique_ptr<EditorFrame> frame_;
    PanelView* upper_ = nullptr;
    PanelView* lower_ = nullptr;
    TextLabel* status_ = nullptr;
    uintptr_t parent_ = 0;
    ERect rect_{};
    bool editMode_ = true;
    bool closing_ = false;
    bool closePending_ = false;
    int selectedTrack_ = 0;
    KnobMode knobMode_ = KnobMode::Linear;
    SkinControl* hintSource_ = nullptr;
    bool hintShown_ = false;
    uint64_t lastPumpIdle_ = 0;
    std::string version_;
};

} // namespace trommik2
