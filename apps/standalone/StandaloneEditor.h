#pragma once

#include <string>

#include "HostStrip.h"
#include "apps/common/HostWindow.h"

class HostInstance;

// The module's editor for the standalone instrument: opened through the
// instance (operation 3) and taken into the program's window above the strip,
// kept alive by the idle calls the idle contract asks for. Main
// (user-interface) thread only.
class StandaloneEditor {
  public:
    explicit StandaloneEditor(HostInstance& instance) : instance_(instance) {}
    ~StandaloneEditor();
    StandaloneEditor(const StandaloneEditor&) = delete;
    StandaloneEditor& operator=(const StandaloneEditor&) = delete;

    // False, with the reason, without a display or when the module opens no editor.
    bool open(std::string* why);
    // Takes in the window's events (what the user asks of the strip into
    // input), shows the strip and runs the editor's idle; false once the user
    // closed the editor or the program's window.
    bool idle(const HostStrip::State& state, HostStrip::Input* input);

  private:
    Window editorWindow() const;
    void handle(const XEvent& event, HostStrip::Input* input);
    void fitEditor(int width, int height);

    HostInstance& instance_;
    HostWindow window_;
    HostStrip strip_;
    int editorHeight_ = 0;
    bool open_ = false;
};
